# NACREEN_BUILD_FUZZERS: every target is built with libFuzzer's coverage instrumentation and
# AddressSanitizer + UndefinedBehaviorSanitizer, so that the harnesses of tests/fuzz see
# coverage inside the stand-in, the plug-in and the preview's readers alike. Clang only; use a
# build folder of its own, configured with CC=clang CXX=clang++.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "NACREEN_BUILD_FUZZERS needs Clang (configure with CC=clang CXX=clang++)")
endif()
if(NACREEN_SANITIZE)
    message(FATAL_ERROR "NACREEN_BUILD_FUZZERS brings its own sanitizers; leave NACREEN_SANITIZE empty")
endif()

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=all)
# The plug-in and the stand-in are shared libraries linked with --no-undefined: they take the
# sanitizer runtime as a shared library, and so must every program that loads them.
add_link_options(-fsanitize=address,undefined -shared-libsan)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libclang_rt.asan-x86_64.so
                OUTPUT_VARIABLE nacreen_asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(nacreen_asan_runtime_dir ${nacreen_asan_runtime} DIRECTORY)
add_link_options(-Wl,-rpath,${nacreen_asan_runtime_dir})
