# Fails when a built file is larger than its budget (BUDGET 0: report only).
#   cmake -DFILE=path -DBUDGET=bytes -P SizeBudget.cmake
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
if(BUDGET GREATER 0 AND size GREATER BUDGET)
  message(FATAL_ERROR "${name} is ${size} bytes, over its size budget of ${BUDGET} bytes")
endif()
if(BUDGET GREATER 0)
  message(STATUS "${name}: ${size} bytes (budget ${BUDGET})")
else()
  message(STATUS "${name}: ${size} bytes")
endif()
