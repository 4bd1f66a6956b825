# Which 3ds Max SDK the plug-in is built against, and so for which 3ds Max release.
#
# By default the project's own stand-in SDK (standin/) is built and the plug-in links it; that is
# how Nacreen builds and is tested on Linux and in the MinGW cross build. With NACREEN_MAX_SDK_DIR
# set to the "maxsdk" folder of a real 3ds Max SDK, the plug-in links that SDK instead. That needs
# a 64-bit compiler of the MSVC ABI: Visual Studio itself on Windows (the toolset Autodesk builds
# that release with), or clang-cl and lld-link on Linux (cmake/toolchains/clang-cl-msvc.cmake),
# which compiles and links against the real headers and import libraries for checking only.
#
# Either way the plug-in links the target nacreen_max_sdk, and NACREEN_MAX_YEAR says which
# 3ds Max release the SDK's headers are for (the bundle's Contents/<year> folder).
include_guard(GLOBAL)

set(NACREEN_MAX_SDK_DIR "" CACHE PATH
    "The maxsdk folder of a 3ds Max SDK; empty builds against the stand-in SDK")

add_library(nacreen_max_sdk INTERFACE)

if(NOT NACREEN_MAX_SDK_DIR)
    set(sdk_include_dir ${PROJECT_SOURCE_DIR}/standin/sdk/include)
else()
    set(NACREEN_MAX_SDK_INCLUDE_DIR ${NACREEN_MAX_SDK_DIR}/include CACHE PATH
        "Headers of the 3ds Max SDK")
    set(NACREEN_MAX_SDK_LIB_DIR ${NACREEN_MAX_SDK_DIR}/lib/x64/Release CACHE PATH
        "Import libraries of the 3ds Max SDK")
    set(sdk_include_dir ${NACREEN_MAX_SDK_INCLUDE_DIR})
    if(NOT EXISTS ${sdk_include_dir}/max.h)
        message(FATAL_ERROR "No max.h in ${sdk_include_dir}: NACREEN_MAX_SDK_DIR must name the "
                            "maxsdk folder of a 3ds Max SDK")
    endif()
endif()

# The release is the SDK's own: plugapi.h defines MAX_RELEASE as MAX_RELEASE_R<n>, and release n
# is 3ds Max 1998 + n (R26 is 2024, R27 is 2025).
file(STRINGS ${sdk_include_dir}/plugapi.h release_line
     REGEX "^#define[ \t]+MAX_RELEASE[ \t]+MAX_RELEASE_R[0-9]+")
if(NOT release_line MATCHES "MAX_RELEASE_R([0-9]+)")
    message(FATAL_ERROR "${sdk_include_dir}/plugapi.h defines no MAX_RELEASE as MAX_RELEASE_R<n>")
endif()
math(EXPR NACREEN_MAX_YEAR "1998 + ${CMAKE_MATCH_1}")

if(NOT NACREEN_MAX_SDK_DIR)
    target_link_libraries(nacreen_max_sdk INTERFACE max_standin)
    return()
endif()

if(NOT MSVC OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    message(FATAL_ERROR "NACREEN_MAX_SDK_DIR needs a 64-bit MSVC build: the 3ds Max SDK's "
                        "libraries use the MSVC C++ ABI, which only MSVC and clang-cl follow")
endif()
# Autodesk builds 3ds Max 2024 with Visual Studio 2019 (v142, MSVC 19.2x) and 2025 with Visual
# Studio 2022 (v143, MSVC 19.3x and 19.4x).
if(NACREEN_MAX_YEAR EQUAL 2024)
    set(toolset "Visual Studio 2019 (toolset v142)")
    set(msvc_range 1920 1929)
else()
    set(toolset "Visual Studio 2022 (toolset v143)")
    set(msvc_range 1930 1949)
endif()
list(GET msvc_range 0 msvc_min)
list(GET msvc_range 1 msvc_max)
if(MSVC_VERSION LESS msvc_min OR MSVC_VERSION GREATER msvc_max)
    message(WARNING "3ds Max ${NACREEN_MAX_YEAR} plug-ins are built with ${toolset}; this "
                    "compiler reports MSVC_VERSION ${MSVC_VERSION}")
endif()

# The four SDK libraries whose classes and functions Nacreen uses. Windows matches file names
# without regard to case, and the SDKs spell them differently (2024: Paramblk2.lib).
file(GLOB present_libraries RELATIVE ${NACREEN_MAX_SDK_LIB_DIR} ${NACREEN_MAX_SDK_LIB_DIR}/*.lib)
set(sdk_libraries "")
foreach(name core geom maxutil paramblk2)
    foreach(file ${present_libraries})
        string(TOLOWER "${file}" lower)
        if(lower STREQUAL "${name}.lib")
            set(NACREEN_MAX_SDK_${name}_LIBRARY ${NACREEN_MAX_SDK_LIB_DIR}/${file})
        endif()
    endforeach()
    if(NOT NACREEN_MAX_SDK_${name}_LIBRARY)
        message(FATAL_ERROR "No ${name}.lib in ${NACREEN_MAX_SDK_LIB_DIR}")
    endif()
    list(APPEND sdk_libraries ${NACREEN_MAX_SDK_${name}_LIBRARY})
endforeach()

# An imported target: its headers count as system headers, so /W4 /WX judges only our code.
add_library(nacreen_real_max_sdk INTERFACE IMPORTED)
target_include_directories(nacreen_real_max_sdk INTERFACE ${NACREEN_MAX_SDK_INCLUDE_DIR})
target_link_libraries(nacreen_real_max_sdk INTERFACE ${sdk_libraries} shell32 user32)
target_compile_definitions(nacreen_real_max_sdk INTERFACE UNICODE _UNICODE)
target_compile_features(nacreen_real_max_sdk INTERFACE cxx_std_17)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # clang-cl parses two of the SDK's headers only with MSVC's lenient template parsing, and
    # needs the SDK's own switch that keeps Util/IniUtil.h's profile-string functions out of the
    # global namespace, where they clash with Win32's.
    target_compile_options(nacreen_real_max_sdk INTERFACE /Zc:twoPhase-)
    target_compile_definitions(nacreen_real_max_sdk INTERFACE NO_INIUTIL_USING)
    # On Linux (cmake/toolchains/clang-cl-msvc.cmake) the SDK's file names are matched as
    # Windows matches them, ignoring case.
    if(COMMAND clang_cl_case_insensitive_headers)
        clang_cl_case_insensitive_headers(nacreen_real_max_sdk ${NACREEN_MAX_SDK_INCLUDE_DIR})
    endif()
endif()
target_link_libraries(nacreen_max_sdk INTERFACE nacreen_real_max_sdk)

# The SDK's libraries are release builds against the shared release runtime; a plug-in that mixed
# in the debug runtime would pass heap blocks between two different heaps.
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)

# The tests, tools and benchmarks play the host through the stand-in; 3ds Max is the host here.
message(STATUS "Building Nacreen.dlt for 3ds Max ${NACREEN_MAX_YEAR} against the SDK in "
               "${NACREEN_MAX_SDK_DIR}; the stand-in SDK, tools, tests and benchmarks are left out")
set(NACREEN_BUILD_TESTS OFF)
set(NACREEN_BUILD_BENCHMARKS OFF)
