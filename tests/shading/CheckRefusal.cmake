# Fails unless PROGRAM, run with ARGUMENTS (a ;-list), exits with EXIT_CODE and prints a line
# matching MESSAGE on its error stream. A crash or a silent refusal does not pass.
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
string(REPLACE ";" " " command "${PROGRAM};${ARGUMENTS}")
if(NOT result STREQUAL EXIT_CODE)
    message(FATAL_ERROR "${command}: exit ${result}, expected ${EXIT_CODE}\n${errors}")
endif()
if(NOT errors MATCHES "${MESSAGE}")
    message(FATAL_ERROR "${command}: error stream does not match '${MESSAGE}':\n"
                        "${errors}")
endif()
if(NOT output STREQUAL "")
    message(FATAL_ERROR "${command}: printed a table although it refused:\n${output}")
endif()
