# Testing a Windows cross build under wine.
#
# GoogleTest is compiled for the target from the distribution's sources, and every Windows test
# program runs through a wrapper that keeps wine's prefix inside this build tree, so that no test
# touches ~/.wine and a fresh build starts from a fresh prefix. The prefix is created once, by
# whichever run needs it first. A CTest fixture creates it up front and keeps one wine server
# running for all the tests, and stops it at the end.
include_guard(GLOBAL)

set(NACREEN_GOOGLETEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest sources to compile for the cross target")
if(NOT EXISTS ${NACREEN_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${NACREEN_GOOGLETEST_SOURCE_DIR} "
                        "(Debian: apt-get install googletest)")
endif()

# The sources do not build warning-free under the project's -Wpedantic -Werror; they are not ours.
# Unoptimised, they compile four times faster, which counts on a two-core CI machine.
set(nacreen_saved_compile_options "")
get_directory_property(nacreen_saved_compile_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "-O0;-g0")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${NACREEN_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${nacreen_saved_compile_options}")

# The sources define GTest::gtest, GTest::gmock and their _main forms; FindGTest's older names too.
add_library(GTest::GTest ALIAS gtest)
add_library(GTest::Main ALIAS gtest_main)

find_program(NACREEN_WINESERVER_EXECUTABLE NAMES wineserver PATHS /usr/lib/wine)
if(NOT NACREEN_WINE_EXECUTABLE OR NOT NACREEN_WINESERVER_EXECUTABLE)
    message(FATAL_ERROR "wine is needed to run the Windows tests (Debian: apt-get install wine64 wine)")
endif()

set(NACREEN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(NACREEN_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh.gen @ONLY)
# The stand-in SDK and host DLLs are found through WINEPATH, as a host finds its own DLLs on PATH.
file(GENERATE OUTPUT ${NACREEN_WINE_RUN} INPUT ${CMAKE_BINARY_DIR}/wine-run.sh.gen
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                      WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NACREEN_WINE_RUN})

add_test(NAME wine_prefix COMMAND ${NACREEN_WINE_RUN} --prepare)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
add_test(NAME wine_shutdown COMMAND ${NACREEN_WINE_RUN} --shutdown)
set_tests_properties(wine_shutdown PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

# nacreen_require_wine(test...): the tests run under wine, after the prefix exists and before
# wine is stopped.
function(nacreen_require_wine)
    set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine)
endfunction()

# What a cross build adds to each gtest_discover_tests call of the programs it runs (tests/ passes
# ${NACREEN_DISCOVERY_OPTIONS}, empty in a native build): listing a program's cases runs it under
# wine at build time, and the first run may have to create the prefix, which takes longer than
# the default five seconds; and the cases run inside the wine fixture.
include(GoogleTest)
set(NACREEN_DISCOVERY_OPTIONS DISCOVERY_TIMEOUT 180 PROPERTIES FIXTURES_REQUIRED wine)
