# What a release build changes: only the shipped files are built (no tests,
# tools or benchmarks), optimised for size, with unused sections dropped and
# no time stamp in the PE header, so two builds of one commit are identical.
add_compile_options(-Os -ffunction-sections -fdata-sections)
add_link_options(-s -Wl,--gc-sections -Wl,--no-insert-timestamp)

# Link-time optimisation drops the framework's virtual handlers that a
# program never reaches and inlines across its small files: lofter.exe went
# from 64512 to 56832 bytes. The output stays the same from build to build
# and folder to folder (checked with two builds in different folders).
add_compile_options(-flto)
add_link_options(-flto)

# Nothing in the suite throws or catches (allocation failures end the process,
# see framework/wpnew.cpp), so the programs carry no exception tables and
# link no unwinder. On i686 the unwind tables served only exceptions; x86_64
# Windows needs its own for every function, so they stay there.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fno-asynchronous-unwind-tables>)
endif()

# An executable is always mapped at its preferred base, so it needs no
# relocation table; a DLL may be moved and keeps its own.
add_link_options($<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:LINKER:--disable-dynamicbase,--disable-reloc-section>)

# Size budgets of the shipped i686 files; a build over budget fails. Tight
# enough to catch a regression: the programs are 50-60 KB, and the
# runtime's printf coming back alone adds 28 KB.
set(KIVORA_PROGRAM_BUDGET 65536)
set(KIVORA_DLL_BUDGET 20480)

# Checks target's file against budget bytes after every link. The budgets
# are for the i686 product; the x86_64 build only reports its sizes.
function(kivora_size_budget target budget)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(budget 0)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -DBUDGET=${budget}
            -P ${CMAKE_SOURCE_DIR}/cmake/SizeBudget.cmake
    VERBATIM)
endfunction()
