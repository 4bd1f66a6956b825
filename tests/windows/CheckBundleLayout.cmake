# Installs a build into an empty folder and checks the ApplicationPlugins bundle it lays out.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P CheckBundleLayout.cmake
# 3ds Max reads PackageContents.xml and loads the module that a component entry names, for the
# releases and platform that its runtime requirements give.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component bundle --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(failures "")
macro(fail message)
    string(APPEND failures "  ${message}\n")
endmacro()

set(bundle ${PREFIX}/Nacreen.bundle)
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
set(expected "Nacreen.bundle/Contents/2025/Nacreen.dlt;Nacreen.bundle/PackageContents.xml")
if(NOT installed STREQUAL expected)
    fail("installed [${installed}], expected [${expected}]")
endif()

if(EXISTS ${bundle}/PackageContents.xml)
    file(READ ${bundle}/PackageContents.xml xml)
    foreach(required
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
            "AutodeskProduct=\"3ds Max\""
            "<Components Description=\"plugins parts\">"
            "OS=\"Win64\"" "Platform=\"3ds Max\"" "SeriesMin=\"2025\"" "SeriesMax=\"2025\""
            "ModuleName=\"./Contents/2025/Nacreen.dlt\"")
        string(FIND "${xml}" "${required}" at)
        if(at EQUAL -1)
            fail("PackageContents.xml lacks ${required}")
        endif()
    endforeach()
    if(xml MATCHES "@[A-Z_]+@")
        fail("PackageContents.xml keeps an unreplaced ${CMAKE_MATCH_0}")
    endif()
    # Every element opened is closed, in order: a cheap well-formedness check without a parser.
    string(REGEX REPLACE "<\\?[^>]*\\?>" "" body "${xml}")
    string(REGEX MATCHALL "</?[A-Za-z]+|/>" tags "${body}")
    set(open "")
    foreach(tag IN LISTS tags)
        if(tag STREQUAL "/>")
            list(POP_BACK open)
        elseif(tag MATCHES "^</(.+)")
            list(POP_BACK open last)
            if(NOT last STREQUAL CMAKE_MATCH_1)
                fail("PackageContents.xml closes ${CMAKE_MATCH_1} inside ${last}")
            endif()
        else()
            string(SUBSTRING "${tag}" 1 -1 name)
            list(APPEND open ${name})
        endif()
    endforeach()
    if(open)
        fail("PackageContents.xml leaves [${open}] open")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "The ApplicationPlugins bundle in ${PREFIX}:\n${failures}")
endif()
