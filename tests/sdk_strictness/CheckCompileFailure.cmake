# Without FAULT: compiles SOURCE as it stands, which must succeed. With FAULT: compiles it with
# NACREEN_FAULT=FAULT, which must fail with a diagnostic matching EXPECTED; a compiler that
# crashes or refuses the snippet for another reason fails the check.
#   cmake -DCXX=... -DROOT=<source dir> -DSOURCE=... [-DFAULT=n -DEXPECTED=<regex>] -P this file
set(args -std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -DUNICODE -D_UNICODE
         -I${ROOT}/standin/sdk/include -I${ROOT}/standin/sdk/win32 -I${ROOT})

if(NOT FAULT)
    execute_process(COMMAND ${CXX} ${args} ${SOURCE} RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${SOURCE} does not compile even without a fault:\n${errors}")
    endif()
    return()
endif()

execute_process(COMMAND ${CXX} ${args} -DNACREEN_FAULT=${FAULT} ${SOURCE}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(result EQUAL 0)
    message(FATAL_ERROR "fault ${FAULT} compiles against the stand-in SDK, but the real SDK "
                        "refuses it")
endif()
if(NOT errors MATCHES "${EXPECTED}")
    message(FATAL_ERROR "fault ${FAULT} was refused, but without a diagnostic matching "
                        "\"${EXPECTED}\":\n${errors}")
endif()
