# Installs a build into an empty folder and checks the ApplicationPlugins bundle it lays out, then
# installs it again beside another year's library and an OSL shader, as the install of a second
# year's build and of the shaders leave the folder, and checks that PackageContents.xml follows.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -DYEAR=<the build's 3ds Max year>
#         -P CheckBundleLayout.cmake
# 3ds Max reads PackageContents.xml and loads the module that a component entry names, for the
# releases and platform that its runtime requirements give.
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail message)
    string(APPEND failures "  ${message}\n")
endmacro()

set(bundle ${PREFIX}/Nacreen.bundle)
function(install_bundle)
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component bundle
                            --prefix ${PREFIX}
        RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "cmake --install failed: ${errors}")
    endif()
endfunction()

# PackageContents.xml: the fixed parts, then one <Components> per expected entry, in order.
function(check_package_contents components)
    file(READ ${bundle}/PackageContents.xml xml)
    foreach(required
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>" "AutodeskProduct=\"3ds Max\""
            "ProductType=\"Application\"" "UpgradeCode=\"{" "<CompanyDetails Name=\"Nacreen\" />"
            "HelpFile=\"./Contents/Help/renderers.md\"")
        string(FIND "${xml}" "${required}" at)
        if(at EQUAL -1)
            fail("PackageContents.xml lacks ${required}")
        endif()
    endforeach()
    if(NOT xml MATCHES "AppVersion=\"[0-9]+\\.[0-9]+\\.[0-9]+\"")
        fail("PackageContents.xml has no AppVersion of the form major.minor.build")
    endif()
    if(xml MATCHES "@[A-Za-z_]+@")
        fail("PackageContents.xml keeps an unreplaced ${CMAKE_MATCH_0}")
    endif()
    string(REGEX MATCHALL "<Components [^<]*<RuntimeRequirements [^>]*>[^<]*<ComponentEntry[^>]*>"
           found "${xml}")
    set(summary "")
    foreach(component IN LISTS found)
        string(REGEX MATCH "Description=\"([^\"]*)\"" _ "${component}")
        set(entry "${CMAKE_MATCH_1}")
        foreach(attribute OS Platform SeriesMin SeriesMax ModuleName)
            if(component MATCHES " ${attribute}=\"([^\"]*)\"")
                string(APPEND entry " ${attribute}=${CMAKE_MATCH_1}")
            endif()
        endforeach()
        list(APPEND summary "${entry}")
    endforeach()
    if(NOT summary STREQUAL components)
        fail("PackageContents.xml lists [${summary}], expected [${components}]")
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
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

# The files installed, but for OSL shaders, which the build may or may not install.
function(check_files expected)
    file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
    list(FILTER installed EXCLUDE REGEX "^Nacreen.bundle/Contents/OSL/[^/]*\\.osl$")
    list(SORT installed)
    if(NOT installed STREQUAL expected)
        fail("installed [${installed}], expected [${expected}]")
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

set(plugins "plugins parts OS=Win64 Platform=3ds Max")
set(osl_folder "osl folder parts OS=Win64 Platform=3ds Max")

# One build, into an empty folder.
file(REMOVE_RECURSE ${PREFIX})
install_bundle()
check_files("Nacreen.bundle/Contents/${YEAR}/Nacreen.dlt;Nacreen.bundle/Contents/Help/renderers.md;\
Nacreen.bundle/LICENSE;Nacreen.bundle/NOTICE;Nacreen.bundle/PackageContents.xml")
set(expected
    "${plugins} SeriesMin=${YEAR} SeriesMax=${YEAR} ModuleName=./Contents/${YEAR}/Nacreen.dlt")
file(GLOB shaders ${bundle}/Contents/OSL/*.osl)
if(shaders)
    list(APPEND expected "${osl_folder} SeriesMin=${YEAR} ModuleName=./Contents/OSL")
endif()
check_package_contents("${expected}")

# Again, beside an earlier year's library and a shader already in the folder.
math(EXPR other "${YEAR} - 1")
file(MAKE_DIRECTORY ${bundle}/Contents/${other})
file(COPY_FILE ${bundle}/Contents/${YEAR}/Nacreen.dlt ${bundle}/Contents/${other}/Nacreen.dlt)
file(WRITE ${bundle}/Contents/OSL/Shader.osl "shader Shader() {}\n")
install_bundle()
check_package_contents(
    "${plugins} SeriesMin=${other} SeriesMax=${other} ModuleName=./Contents/${other}/Nacreen.dlt;\
${plugins} SeriesMin=${YEAR} SeriesMax=${YEAR} ModuleName=./Contents/${YEAR}/Nacreen.dlt;\
${osl_folder} SeriesMin=${other} ModuleName=./Contents/OSL")

if(failures)
    message(FATAL_ERROR "The ApplicationPlugins bundle in ${PREFIX}:\n${failures}")
endif()
