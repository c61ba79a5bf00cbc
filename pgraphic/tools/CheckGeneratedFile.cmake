# Runs GENERATOR and fails unless it succeeds and prints exactly the committed file COMMITTED.
execute_process(COMMAND ${GENERATOR} OUTPUT_VARIABLE generated RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed (${result}): ${errors}")
endif()
file(READ ${COMMITTED} committed)
if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "${COMMITTED} is not what ${GENERATOR} generates; run it again to update the file")
endif()
