# Runs make-tactic on INPUT into OUTPUT and fails unless OUTPUT equals EXPECTED.
execute_process(COMMAND ${MAKE_TACTIC} ${INPUT} ${OUTPUT}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make-tactic ${INPUT} failed (${result}): ${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${OUTPUT} differs from the committed ${EXPECTED}; run tools/make-example-tactics")
endif()
file(REMOVE ${OUTPUT})
