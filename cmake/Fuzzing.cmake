# With KORV_BUILD_FUZZERS, every target is compiled with coverage for
# libFuzzer plus ASan and UBSan, so that the code under a harness is both
# explored and checked. The harnesses themselves live in fuzz/.
if(KORV_BUILD_FUZZERS AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
