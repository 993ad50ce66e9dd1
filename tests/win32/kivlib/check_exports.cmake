# Fails unless kivlib.dll exports exactly createKey, readKey and setKey under
# those plain names, and every importer given names them from kivlib.dll.
#   cmake -DOBJDUMP=... -DDLL=... -DIMPORTERS=a.exe;b.exe -P check_exports.cmake
cmake_minimum_required(VERSION 3.25)
set(expected createKey readKey setKey)
# objdump's headings are translated under the tests' Japanese locale.
set(objdump ${CMAKE_COMMAND} -E env LC_ALL=C ${OBJDUMP})

execute_process(COMMAND ${objdump} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
# The name table lists one "\t[   n] name" line per export. Brackets would
# upset CMake's list splitting, so each line becomes "name;" at once.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(\t[^\n]+\n)*" table "${dump}")
string(REPLACE "[Ordinal/Name Pointer] Table\n" "" table "${table}")
string(REGEX REPLACE "\t\\[ *[0-9]+\\] ([^\n]+)\n" "\\1;" exported "${table}")
list(REMOVE_ITEM exported "")
# In this order too: the loader finds names by binary search.
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "kivlib.dll exports '${exported}', expected '${expected}'")
endif()
message(STATUS "kivlib.dll exports: ${exported}")

foreach(importer ${IMPORTERS})
  execute_process(COMMAND ${objdump} -p ${importer} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${importer}")
  endif()
  string(REGEX MATCH "DLL Name: kivlib\\.dll\n[^\n]*\n(\t[^\n]+\n)+" block "${dump}")
  if(NOT block)
    message(FATAL_ERROR "${importer} does not import kivlib.dll at load time")
  endif()
  foreach(name ${expected})
    if(NOT block MATCHES "[0-9]+  ${name}\n")
      message(FATAL_ERROR "${importer} does not import ${name} from kivlib.dll:\n${block}")
    endif()
  endforeach()
  message(STATUS "${importer} imports ${expected} from kivlib.dll")
endforeach()
