# The two timed programs. timed_win holds the shared window; each program's
# folder adds its window, its action and its resources.
set(timed_dir ${CMAKE_CURRENT_SOURCE_DIR})
foreach(program aubade nocturne)
  set(dir ${timed_dir}/${program})
  add_library(${program}_win STATIC ${dir}/${program}window.cpp ${dir}/fire.cpp)
  target_include_directories(${program}_win PUBLIC ${dir})
  target_link_libraries(${program}_win PUBLIC timed_win)
  kivora_charset(${program}_win)

  kivora_program(${program} SOURCES ${dir}/main.cpp RC ${dir}/${program}.rc LIBS ${program}_win)
  # The script includes the shared time dialog.
  target_include_directories(${program} PRIVATE ${timed_dir})
  set_property(SOURCE ${dir}/${program}.rc APPEND PROPERTY OBJECT_DEPENDS
               ${timed_dir}/timeddialog.rc ${timed_dir}/timechange_ids.h)
endforeach()
