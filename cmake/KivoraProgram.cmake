# How a program of the suite is built: a WIN32 (GUI) executable with the
# statically linked runtime (see Kivora.cmake), the framework, and one
# resource script compiled by windres as UTF-8 (-c 65001, in CMAKE_RC_FLAGS).
#
#   kivora_program(NAME SOURCES a.cpp ... RC name.rc [LIBS x ...])
#
# The script starts with #pragma code_page(65001) and includes
# "wpresources.rc" (framework/resources) for "DLGABOUT" and
# "DLGPRINTABORT", and "appmanifest.rc" for the application manifest that
# every program carries. Files named in the script (icons) are found beside the
# script or in framework/resources/icons.
get_filename_component(KIVORA_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../framework/resources ABSOLUTE)

# The version that every file's version resource shows
# (framework/resources/versioninfo.rc includes it).
set(KIVORA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kivora_version.h.in ${KIVORA_GENERATED_DIR}/kivora_version.h)

# The manifest as the programs carry it: kivora.manifest without its comments
# and indentation. Those explain the manifest to us; in every program they
# would cost about 0.9 KB of the 64 KB budget.
set(KIVORA_MANIFEST ${KIVORA_RESOURCE_DIR}/kivora.manifest)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KIVORA_MANIFEST})
file(READ ${KIVORA_MANIFEST} manifest)
string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" manifest "${manifest}")
string(REGEX REPLACE "\n[ \t\n]+" "\n" manifest "${manifest}")
file(CONFIGURE OUTPUT ${KIVORA_GENERATED_DIR}/kivora-shipped.manifest CONTENT "${manifest}" @ONLY)

function(kivora_program name)
  cmake_parse_arguments(P "" "RC" "SOURCES;LIBS" ${ARGN})
  if(NOT KIVORA_WIN32)
    return()
  endif()
  if(NOT P_RC)
    message(FATAL_ERROR "kivora_program(${name}): a resource script (RC) is required")
  endif()
  get_filename_component(rc_path ${P_RC} ABSOLUTE)
  get_filename_component(rc_dir ${rc_path} DIRECTORY)
  add_executable(${name} WIN32 ${P_SOURCES} ${rc_path})
  kivora_charset(${name})
  target_link_libraries(${name} PRIVATE ${P_LIBS} framework)
  kivora_link_entry(${name})
  # windres looks for included scripts and named files along these folders.
  target_include_directories(${name} PRIVATE ${rc_dir} ${KIVORA_RESOURCE_DIR}
                             ${KIVORA_RESOURCE_DIR}/icons ${KIVORA_GENERATED_DIR})
  kivora_rc_depends(${rc_path})
  if(KIVORA_RELEASE)
    kivora_size_budget(${name} ${KIVORA_PROGRAM_BUDGET})
  endif()
endfunction()

# windres writes no dependency file: a script that includes the framework's
# shared resources is rebuilt when one of them changes, or a program would
# keep a stale About box.
function(kivora_rc_depends rc_path)
  file(GLOB shared CONFIGURE_DEPENDS ${KIVORA_RESOURCE_DIR}/*.rc ${KIVORA_RESOURCE_DIR}/*.h
       ${KIVORA_RESOURCE_DIR}/*.manifest)
  set_property(SOURCE ${rc_path} APPEND PROPERTY OBJECT_DEPENDS ${shared}
               ${KIVORA_GENERATED_DIR}/kivora_version.h ${KIVORA_GENERATED_DIR}/kivora-shipped.manifest)
endfunction()
