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
add_link_options(-fsanitize=address,undefined)
nacreen_use_shared_sanitizer_runtime()
