# Reads the shared libraries each module needs with readelf, and checks that the stand-in's
# dependency runs one way: the plug-in needs the SDK library and not the host's, and the SDK
# library needs nothing of the host.
#   cmake -DREADELF=<readelf> -DPLUGIN=<Nacreen.dlt> -DSDK=<SDK library>
#         -DSDK_NAME=<its file name> -DHOST_NAME=<the host library's file name>
#         -P CheckLibraryDependencies.cmake
cmake_minimum_required(VERSION 3.25)

function(needed_libraries file out)
    execute_process(COMMAND ${READELF} -d ${file}
        OUTPUT_VARIABLE dump RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${READELF} -d ${file} failed: ${errors}")
    endif()
    string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]+\\]" lines "${dump}")
    set(names "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE ".*\\[([^]]+)\\]$" "\\1" name "${line}")
        list(APPEND names ${name})
    endforeach()
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

needed_libraries(${PLUGIN} plugin_needs)
needed_libraries(${SDK} sdk_needs)
set(failures "")
if(NOT SDK_NAME IN_LIST plugin_needs)
    string(APPEND failures "  ${PLUGIN} does not need ${SDK_NAME} (it needs: ${plugin_needs})\n")
endif()
if(HOST_NAME IN_LIST plugin_needs)
    string(APPEND failures "  ${PLUGIN} needs the host library ${HOST_NAME}\n")
endif()
if(HOST_NAME IN_LIST sdk_needs)
    string(APPEND failures "  ${SDK} needs the host library ${HOST_NAME}\n")
endif()
if(failures)
    message(FATAL_ERROR "The stand-in's libraries depend the wrong way:\n${failures}")
endif()
message(STATUS "${PLUGIN} needs ${plugin_needs}; ${SDK} needs ${sdk_needs}")
