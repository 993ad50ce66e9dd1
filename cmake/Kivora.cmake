# Build conventions shared by every target of the suite.

# Sources are UTF-8; string literals become Shift-JIS bytes (code page 932).
# clang knows no execution charset but UTF-8, so its (fuzz) builds keep UTF-8
# literals; the parsers treat every text as bytes either way.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(KIVORA_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP932)
else()
  set(KIVORA_CHARSET_FLAGS)
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# Source positions in assertion boxes (cut to 79 characters) name files from
# the top of the tree, wherever the tree is checked out.
add_compile_options(-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)

if(KIVORA_WIN32)
  # Each .exe and .dll runs on its own: no runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Resource scripts are UTF-8 (#pragma code_page(65001)).
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  set(CMAKE_RC_COMPILE_OBJECT
      "<CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> <FLAGS> -O coff <SOURCE> <OBJECT>")
endif()

# The entry lives in the framework library; the runtime asks for it only
# after the libraries were searched, so a program names it up front. (The
# 32-bit symbol carries the stdcall decoration.)
function(kivora_link_entry target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--undefined=_WinMain@16)
  else()
    target_link_options(${target} PRIVATE -Wl,--undefined=WinMain)
  endif()
endfunction()

if(KIVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Applies the code-page flags to a target of ours (not to third-party code).
function(kivora_charset target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:${KIVORA_CHARSET_FLAGS}>)
endfunction()

# The libraries of one program's folder:
#   <area>_core  from core/*.cpp: window-free logic, built for the host too;
#   <area>_win   from *.cpp except main.cpp (Win32 only): the program's window
#                code, kept in a library so that tests link it without the
#                program's entry.
# A folder's program.cmake, when there is one, declares the executable.
function(kivora_program_area area)
  file(GLOB core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/core/*.cpp)
  if(core_sources)
    add_library(${area}_core STATIC ${core_sources})
    target_include_directories(${area}_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/core)
    target_link_libraries(${area}_core PUBLIC wpcore)
    kivora_charset(${area}_core)
  endif()
  if(NOT KIVORA_WIN32)
    return()
  endif()
  file(GLOB win_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER win_sources EXCLUDE REGEX "/main\\.cpp$")
  if(win_sources)
    add_library(${area}_win STATIC ${win_sources})
    target_include_directories(${area}_win PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    foreach(lib ${area}_core framework kivlib)
      if(TARGET ${lib})
        target_link_libraries(${area}_win PUBLIC ${lib})
      endif()
    endforeach()
    kivora_charset(${area}_win)
  endif()
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/program.cmake)
    include(${CMAKE_CURRENT_SOURCE_DIR}/program.cmake)
  endif()
endfunction()

# A Win32 GoogleTest executable, run once under Wine as a single CTest test.
# Tests share one display and its foreground window, so they never overlap.
#   kivora_win32_test(NAME SOURCES a.cpp ... LIBS x y ... [TIMEOUT s]
#                     [LAUNCHER command ...] [HEAP_CHECKED])
# A LAUNCHER runs the test instead of Wine itself (it gets the program's
# file name and arguments, and starts Wine in the setting it makes).
# HEAP_CHECKED runs an end-to-end test once more as NAME_heap_checked, with
# Wine's heap checks on for the programs it starts (tests/e2e/heap_checked.sh);
# that run has a display of its own and goes beside the others.
function(kivora_win32_test name)
  cmake_parse_arguments(T "HEAP_CHECKED" "TIMEOUT" "SOURCES;LIBS;LAUNCHER" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  kivora_charset(${name})
  foreach(source ${T_SOURCES})
    if(source MATCHES "\\.rc$")
      get_filename_component(rc_path ${source} ABSOLUTE)
      kivora_rc_depends(${rc_path})
    endif()
  endforeach()
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  # Relative: the test runs under Wine, which would read a Unix path as relative.
  if(T_LAUNCHER)
    set(program ${T_LAUNCHER} $<TARGET_FILE_NAME:${name}>)
  else()
    set(program ${name})
  endif()
  add_test(NAME ${name} COMMAND ${program} --gtest_output=xml:../results/${name}.xml
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} RESOURCE_LOCK display LABELS win32)
  if(T_HEAP_CHECKED)
    # Heap checks slow the programs down: twice the time, of which the
    # script keeps the last half minute to end its display and server.
    math(EXPR limit "${T_TIMEOUT} * 2")
    math(EXPR run_limit "${limit} - 30")
    add_test(NAME ${name}_heap_checked
             COMMAND sh ${PROJECT_SOURCE_DIR}/tests/e2e/heap_checked.sh
                     ${CMAKE_BINARY_DIR}/heap-checked/${name} ${run_limit} $<TARGET_FILE_NAME:${name}>
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${name}_heap_checked PROPERTIES TIMEOUT ${limit} LABELS "win32;heap")
  endif()
endfunction()

if(KIVORA_FUZZ)
  # Everything is instrumented; only the fuzz targets link the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# A libFuzzer target; CTest replays its seed corpus and fuzzes it briefly.
#   kivora_fuzz_target(NAME SOURCES a.cpp ... LIBS x ... [CORPUS dir])
function(kivora_fuzz_target name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  kivora_charset(${name})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # libFuzzer adds what it finds to the first corpus folder: a scratch
  # folder in the build tree, so the seeds kept with the sources stay as
  # committed and are only read.
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}_found)
  file(MAKE_DIRECTORY ${scratch})
  add_test(NAME ${name}_smoke COMMAND ${name} -max_total_time=3 -timeout=5 ${scratch} ${F_CORPUS})
  set_tests_properties(${name}_smoke PROPERTIES TIMEOUT 60 LABELS fuzz)
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt, so an
# area (a program's tests, a benchmark) joins the build by existing.
function(kivora_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry ${entries})
    if(EXISTS ${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/KivoraProgram.cmake OPTIONAL)
