# Which 3ds Max SDK the plug-in is built against.
#
# By default the project's own stand-in SDK (standin/) is built and the plug-in links it; that is
# how Nacreen builds and is tested on Linux and in the MinGW cross build. With NACREEN_MAX_SDK_DIR
# set to the "maxsdk" folder of a 3ds Max 2025 SDK, the plug-in links the real SDK instead: that
# build needs Windows and Visual Studio 2022 (toolset v143), as Autodesk builds 3ds Max 2025.
#
# Either way the plug-in links the target nacreen_max_sdk.
include_guard(GLOBAL)

set(NACREEN_MAX_SDK_DIR "" CACHE PATH
    "The maxsdk folder of a 3ds Max 2025 SDK; empty builds against the stand-in SDK")

add_library(nacreen_max_sdk INTERFACE)

if(NOT NACREEN_MAX_SDK_DIR)
    target_link_libraries(nacreen_max_sdk INTERFACE max_standin)
    return()
endif()

if(NOT MSVC OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    message(FATAL_ERROR "NACREEN_MAX_SDK_DIR needs a 64-bit MSVC build: the 3ds Max SDK's "
                        "libraries use the MSVC C++ ABI, which no other compiler links")
endif()
if(MSVC_VERSION LESS 1930 OR MSVC_VERSION GREATER_EQUAL 2000)
    message(WARNING "3ds Max 2025 plug-ins are built with Visual Studio 2022 (toolset v143); "
                    "this compiler reports MSVC_VERSION ${MSVC_VERSION}")
endif()

set(NACREEN_MAX_SDK_INCLUDE_DIR ${NACREEN_MAX_SDK_DIR}/include CACHE PATH
    "Headers of the 3ds Max SDK")
set(NACREEN_MAX_SDK_LIB_DIR ${NACREEN_MAX_SDK_DIR}/lib/x64/Release CACHE PATH
    "Import libraries of the 3ds Max SDK")
if(NOT EXISTS ${NACREEN_MAX_SDK_INCLUDE_DIR}/max.h)
    message(FATAL_ERROR "No max.h in ${NACREEN_MAX_SDK_INCLUDE_DIR}: NACREEN_MAX_SDK_DIR must name "
                        "the maxsdk folder of the 3ds Max 2025 SDK")
endif()

# The four SDK libraries whose classes and functions Nacreen uses.
set(sdk_libraries "")
foreach(name core geom maxutil paramblk2)
    find_library(NACREEN_MAX_SDK_${name}_LIBRARY NAMES ${name}
                 PATHS ${NACREEN_MAX_SDK_LIB_DIR} NO_DEFAULT_PATH)
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
target_link_libraries(nacreen_max_sdk INTERFACE nacreen_real_max_sdk)

# The SDK's libraries are release builds against the shared release runtime; a plug-in that mixed
# in the debug runtime would pass heap blocks between two different heaps.
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)

# The tests, tools and benchmarks play the host through the stand-in; 3ds Max is the host here.
message(STATUS "Building Nacreen.dlt against the 3ds Max SDK in ${NACREEN_MAX_SDK_DIR}; "
               "the stand-in SDK, tools, tests and benchmarks are left out")
set(NACREEN_BUILD_TESTS OFF)
set(NACREEN_BUILD_BENCHMARKS OFF)
