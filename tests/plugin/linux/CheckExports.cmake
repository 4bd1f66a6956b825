# Fails unless MODULE defines exactly the host's entry points in its dynamic symbol table.
execute_process(COMMAND ${NM} -D --defined-only ${MODULE}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${MODULE}")
endif()
string(REGEX MATCHALL "[0-9a-f]+ [TDBRVW] [^\n]+" entries "${symbols}")
set(names "")
foreach(entry ${entries})
    string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${entry}")
    list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected DllMain LibClassDesc LibDescription LibInitialize LibNumberClasses LibShutdown
             LibVersion)
# Linker markers, and the type information of SDK classes that the compiler copies into every
# module using them (it belongs to the SDK's exported classes, not to the plug-in).
list(FILTER names EXCLUDE REGEX "^_(init|fini|edata|end|_bss_start)$")
list(FILTER names EXCLUDE REGEX "^_ZT[IS][0-9]+(MaxHeapOperators|InterfaceServer)$")
if(NOT names STREQUAL expected)
    message(FATAL_ERROR "exported: ${names}\nexpected: ${expected}")
endif()
