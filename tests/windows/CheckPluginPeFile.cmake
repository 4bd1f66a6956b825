# Reads the export and import tables of the PE file Nacreen.dlt with objdump, without wine.
#   cmake -DOBJDUMP=<objdump> -DMODULE=<Nacreen.dlt> -DSDK_DLL=<the stand-in SDK's DLL name>
#         -P CheckPluginPeFile.cmake
# Checks that the host finds exactly its six entry points at their fixed ordinals, under plain
# names, and that the library needs nothing on the user's machine but the SDK and Windows itself.
cmake_minimum_required(VERSION 3.25)

set(expected_exports
    LibDescription=1 LibNumberClasses=2 LibClassDesc=3 LibVersion=4 LibInitialize=6 LibShutdown=7)
# DLLs that every Windows installation has; anything else would have to ship with the plug-in.
set(system_dlls kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll comctl32.dll
    ole32.dll msvcrt.dll)

set(failures "")
macro(fail message)
    string(APPEND failures "  ${message}\n")
endmacro()

execute_process(COMMAND ${OBJDUMP} -p ${MODULE}
    OUTPUT_VARIABLE dump RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed: ${errors}")
endif()
string(REPLACE "\n" ";" lines "${dump}")

# The export name of the library, the ordinal base, the address table and the name table.
set(section "")
set(base "")
set(address_slots "")
set(named_exports "")
set(imports "")
foreach(line IN LISTS lines)
    if(line MATCHES "^Name[ \t]+[0-9a-fA-F]+ (.+)$")
        set(export_name "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^Ordinal Base[ \t]+([0-9]+)")
        set(base ${CMAKE_MATCH_1})
    elseif(line MATCHES "^Export Address Table -- ")
        set(section addresses)
    elseif(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
        set(section names)
    elseif(line MATCHES "^[ \t]*$" OR line MATCHES "^[A-Z]")
        set(section "")
    elseif(section STREQUAL "addresses" AND line MATCHES "\\+base\\[ *([0-9]+)\\] ([0-9a-fA-F]+)")
        list(APPEND address_slots ${CMAKE_MATCH_1})
    elseif(section STREQUAL "names" AND line MATCHES "^[ \t]*\\[ *([0-9]+)\\] (.+)$")
        math(EXPR ordinal "${CMAKE_MATCH_1} + ${base}")
        list(APPEND named_exports "${CMAKE_MATCH_2}=${ordinal}")
    endif()
    if(line MATCHES "DLL Name: (.+)$")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
        list(APPEND imports ${dll})
    endif()
endforeach()

if(NOT export_name STREQUAL "Nacreen.dlt")
    fail("the export table names the library \"${export_name}\", not \"Nacreen.dlt\"")
endif()
list(SORT named_exports)
list(SORT expected_exports)
if(NOT named_exports STREQUAL expected_exports)
    fail("named exports are [${named_exports}], expected [${expected_exports}]")
endif()
list(SORT address_slots COMPARE NATURAL)
if(NOT address_slots STREQUAL "1;2;3;4;6;7")
    fail("the export address table fills ordinals [${address_slots}], expected [1;2;3;4;6;7]")
endif()

string(TOLOWER "${SDK_DLL}" sdk_dll)
foreach(dll IN LISTS imports)
    if(NOT dll IN_LIST system_dlls AND NOT dll STREQUAL sdk_dll)
        fail("imports ${dll}, which is neither the SDK's library nor a Windows system DLL")
    endif()
endforeach()
if(NOT sdk_dll IN_LIST imports)
    fail("does not import the SDK's library ${SDK_DLL}")
endif()

if(failures)
    message(FATAL_ERROR "${MODULE}:\n${failures}")
endif()
message(STATUS "${MODULE}: exports ${named_exports}; imports ${imports}")
