# Builds 64-bit Windows code in the MSVC ABI on Debian: clang in MSVC mode (clang-cl), lld-link
# and llvm-rc from LLVM 14, with what Linux lacks of an MSVC installation put together from free
# parts:
#   - Windows and C runtime headers: mingw-w64's, behind two small shims (clang-cl-msvc/include);
#   - the C++ standard library headers: libc++'s, in place of MSVC's STL;
#   - Win32 import libraries: mingw-w64's, under the names MSVC's linker looks for;
#   - C runtime import libraries for VCRUNTIME140.dll and the Universal CRT's api-ms-win-crt-*
#     DLLs, made with llvm-dlltool from the export lists of mingw-w64's import libraries;
#   - a small runtime (clang-cl-msvc/runtime.cpp) for what an MSVC link takes from the static
#     runtime: _fltused, the security cookie, the thread-safe-static helpers and a few more;
#   - case-insensitive header lookup, as on Windows, through a clang virtual file system overlay
#     (clang_cl_case_insensitive_headers below).
# Everything made is written once per build folder, at configure time, into
# <build>/clang-cl-msvc.
#
# The libraries it links are for inspection (their imports, exports and symbols), never for
# loading: the link has no C runtime start-up, so DllMain is the entry point and static
# constructors do not run, and the thread-safe-static helpers are single-threaded stand-ins.
#
# The CMake preset max2024-clang-cl uses it; scripts/realsdk-check.sh builds and checks with it.
# Packages: clang-14 lld-14 llvm-14 libc++-14-dev mingw-w64-x86-64-dev.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

# The _MSC_VER that clang-cl reports: 19.29 is Visual Studio 2019 (toolset v142, 3ds Max 2024),
# 19.38 Visual Studio 2022 17.8 (toolset v143, 3ds Max 2025).
set(NACREEN_MSVC_VERSION 19.38 CACHE STRING "MSVC version that clang-cl emulates")

set(llvm_bin /usr/lib/llvm-14/bin)
set(CMAKE_C_COMPILER ${llvm_bin}/clang-cl)
set(CMAKE_CXX_COMPILER ${llvm_bin}/clang-cl)
set(CMAKE_LINKER ${llvm_bin}/lld-link)
set(CMAKE_RC_COMPILER ${llvm_bin}/llvm-rc)
set(CMAKE_AR ${llvm_bin}/llvm-lib)
set(CMAKE_MT ${llvm_bin}/llvm-mt)
foreach(tool CMAKE_CXX_COMPILER CMAKE_LINKER CMAKE_RC_COMPILER CMAKE_AR)
    if(NOT EXISTS ${${tool}})
        message(FATAL_ERROR "No ${${tool}}: install clang-14 lld-14 llvm-14 libc++-14-dev "
                            "mingw-w64-x86-64-dev (scripts/setup-debian.sh --realsdk)")
    endif()
endforeach()

set(toolchain_dir ${CMAKE_CURRENT_LIST_DIR}/clang-cl-msvc)
set(mingw_include /usr/share/mingw-w64/include)
set(mingw_lib /usr/x86_64-w64-mingw32/lib)
set(libcxx_include /usr/lib/llvm-14/include/c++/v1)
foreach(dir ${mingw_include} ${mingw_lib} ${libcxx_include})
    if(NOT IS_DIRECTORY ${dir})
        message(FATAL_ERROR "No ${dir}: install libc++-14-dev mingw-w64-x86-64-dev "
                            "(scripts/setup-debian.sh --realsdk)")
    endif()
endforeach()

# Compiler checks compile without linking: the C runtime is made only after them.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Headers are searched in this order: the project's own folders and system headers (such as an
# SDK's), libc++, the shims (whose #include_next reaches mingw's headers), and mingw's headers
# last of all, as MSVC searches the Windows SDK last. mingw's headers in their Universal CRT
# form, the C runtime of every MSVC build since Visual Studio 2015.
set(flags "--target=x86_64-pc-windows-msvc -fms-compatibility-version=${NACREEN_MSVC_VERSION}")
string(APPEND flags " -imsvc ${libcxx_include} -imsvc ${toolchain_dir}/include"
                    " /clang:-idirafter${mingw_include} -D__MSVCRT_VERSION__=0xE00"
                    " -D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS")
set(CMAKE_C_FLAGS_INIT "${flags}")
set(CMAKE_CXX_FLAGS_INIT "${flags}")
set(CMAKE_RC_FLAGS_INIT "/C 65001 -I${mingw_include}")

set(runtime_dir ${CMAKE_BINARY_DIR}/clang-cl-msvc)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "/NODEFAULTLIB /ENTRY:DllMain /LIBPATH:${runtime_dir}/lib")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${CMAKE_SHARED_LINKER_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "/NODEFAULTLIB /LIBPATH:${runtime_dir}/lib")

# Win32 import libraries under MSVC's names, the C runtime's import libraries and the runtime.
set(win32_libraries advapi32 comctl32 comdlg32 gdi32 kernel32 ole32 oleaut32 shell32 user32 uuid
    winspool)
set(crt_libraries "")
set(standard_libraries "")
foreach(name ${win32_libraries})
    string(APPEND standard_libraries " ${name}.lib")
endforeach()

get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(NOT in_try_compile)
    file(MAKE_DIRECTORY ${runtime_dir}/lib ${runtime_dir}/def)
    foreach(name ${win32_libraries})
        file(CREATE_LINK ${mingw_lib}/lib${name}.a ${runtime_dir}/lib/${name}.lib SYMBOLIC)
    endforeach()

    # The export lists of the C runtime's DLLs, as mingw-w64's import libraries give them: each
    # import member defines __imp_<name>. Every name is made a function export: mingw-w64 marks
    # some maths functions as data so that its own library can take their plain names, but in
    # the Universal CRT they are functions.
    if(NOT EXISTS ${runtime_dir}/lib/crt-libraries.txt)
        execute_process(COMMAND ${llvm_bin}/llvm-nm -A --defined-only ${mingw_lib}/libucrt.a
                                ${mingw_lib}/libvcruntime140_app.a
            OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "llvm-nm could not read mingw-w64's C runtime import libraries")
        endif()
        string(REGEX MATCHALL
            "lib(api-ms-win-crt-[a-z]+-l1-1-0|vcruntime140)(_app)?s[0-9]+\\.o: [0-9a-f]+ I [^\n]+"
            entries "${symbols}")
        set(dlls "")
        foreach(entry IN LISTS entries)
            string(REGEX MATCH "^lib([^ ]+)s[0-9]+\\.o: [0-9a-f]+ I __imp_(.+)$" _ "${entry}")
            set(name ${CMAKE_MATCH_2})
            string(REGEX REPLACE "_app$" "" dll "${CMAKE_MATCH_1}")
            list(APPEND exports_${dll} ${name})
            list(APPEND dlls ${dll})
        endforeach()
        # VCRUNTIME140.dll first: the UCRT's private set exports some of its functions too (the
        # C++ exception handlers), and an MSVC build imports them from VCRUNTIME140.dll.
        list(REMOVE_DUPLICATES dlls)
        list(REMOVE_ITEM dlls vcruntime140)
        list(PREPEND dlls vcruntime140)
        foreach(dll ${dlls})
            if(dll STREQUAL "vcruntime140")
                set(def "LIBRARY VCRUNTIME140.dll\nEXPORTS\n")
            else()
                set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
            endif()
            list(JOIN exports_${dll} "\n    " names)
            file(WRITE ${runtime_dir}/def/${dll}.def "${def}    ${names}\n")
            execute_process(COMMAND ${llvm_bin}/llvm-dlltool -m i386:x86-64
                                    -d ${runtime_dir}/def/${dll}.def -l ${runtime_dir}/lib/${dll}.lib
                RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR "llvm-dlltool could not make ${dll}.lib")
            endif()
        endforeach()
        file(WRITE ${runtime_dir}/lib/crt-libraries.txt "${dlls}")
    endif()
    file(READ ${runtime_dir}/lib/crt-libraries.txt crt_libraries)

    # The small runtime, compiled with the flags above and no project's.
    set(runtime_source ${toolchain_dir}/runtime.cpp)
    set(runtime_object ${runtime_dir}/lib/clang-cl-msvc-runtime.obj)
    if(NOT EXISTS ${runtime_object} OR ${runtime_source} IS_NEWER_THAN ${runtime_object})
        separate_arguments(runtime_flags UNIX_COMMAND "${flags}")
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${runtime_flags} /nologo /std:c++17 /O2 /MD
                                /W4 /WX /GS- /Fo${runtime_object} /c -- ${runtime_source}
            RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "Compiling ${runtime_source} failed:\n${output}")
        endif()
    endif()
endif()
foreach(name ${crt_libraries})
    string(APPEND standard_libraries " ${name}.lib")
endforeach()
string(APPEND standard_libraries " ${runtime_dir}/lib/clang-cl-msvc-runtime.obj")
set(CMAKE_C_STANDARD_LIBRARIES "${standard_libraries}" CACHE STRING "Libraries every program links")
set(CMAKE_CXX_STANDARD_LIBRARIES "${standard_libraries}" CACHE STRING "Libraries every program links")

# clang_cl_case_insensitive_headers(<target> <folder>...)
# Windows finds <WTypes.h> as wtypes.h and "maxheap.h" as MaxHeap.h; Linux does not. This writes
# a clang overlay that lists every folder under the given ones (and under mingw-w64's headers)
# with its files, and marks them case-insensitive, then has <target>'s users compile with it.
function(clang_cl_case_insensitive_headers target)
    string(MAKE_C_IDENTIFIER "${target}" name)
    set(overlay ${CMAKE_BINARY_DIR}/clang-cl-msvc/${name}-headers.yaml)
    set(roots "")
    foreach(top ${ARGN} ${mingw_include})
        file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE ${top} ${top}/*)
        set(folders "." ${files})
        foreach(folder ${folders})
            if(NOT IS_DIRECTORY ${top}/${folder})
                continue()
            endif()
            file(REAL_PATH ${top}/${folder} path)
            file(GLOB entries LIST_DIRECTORIES false RELATIVE ${path} ${path}/*)
            set(contents "")
            foreach(entry ${entries})
                string(APPEND contents "{\"name\":\"${entry}\",\"type\":\"file\","
                                       "\"external-contents\":\"${path}/${entry}\"},")
            endforeach()
            string(REGEX REPLACE ",$" "" contents "${contents}")
            string(APPEND roots "{\"name\":\"${path}\",\"type\":\"directory\",\"contents\":[${contents}]},\n")
        endforeach()
    endforeach()
    string(REGEX REPLACE ",\n$" "\n" roots "${roots}")
    file(WRITE ${overlay}
         "{\"version\":0,\"case-sensitive\":\"false\",\"roots\":[\n${roots}]}\n")
    target_compile_options(${target} INTERFACE "SHELL:/clang:-ivfsoverlay /clang:${overlay}")
endfunction()
