# Clang links the sanitizer runtime statically by default; the plug-in and the stand-in are
# shared libraries linked with --no-undefined, so they take it as a shared library, and so must
# every program that loads them (found at run time beside the compiler's own runtime).
function(nacreen_use_shared_sanitizer_runtime)
    add_link_options(-shared-libsan)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-runtime-dir
                    OUTPUT_VARIABLE runtime_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
    add_link_options(-Wl,-rpath,${runtime_dir})
endfunction()

# Warnings are errors and the floating-point model is strict on every compiler we build with.
if(MSVC)
    add_compile_options(/W4 /WX /fp:precise /permissive- /utf-8)
    add_compile_definitions(UNICODE _UNICODE)
else()
    add_compile_options(-Wall -Wextra -Wpedantic -Werror -ffp-contract=off -fno-fast-math)
endif()

if(NACREEN_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "NACREEN_SANITIZE is for GCC and Clang builds")
    endif()
    # A sanitized build is for finding faults, not for speed: -O1 compiles about a quarter faster
    # than -O2 and still runs the tests quickly. It comes after the build type's -O2, so it wins.
    add_compile_options(-O1 -fsanitize=${NACREEN_SANITIZE} -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${NACREEN_SANITIZE})
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        nacreen_use_shared_sanitizer_runtime()
    endif()
endif()
