# -DMERIDEL_FUZZ=ON: everything is compiled for libFuzzer (coverage) with AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzz/ builds its harnesses as fuzzers. Build only them, e.g.
# `cmake --build build-fuzz --target fuzz_harnesses`: the programs and tests are not meant to run
# instrumented so. Without it, fuzz/ builds the same harnesses with a main that replays the
# committed inputs, as CTest tests.
option(MERIDEL_FUZZ "Build the libFuzzer harnesses in fuzz/ (needs clang)" OFF)
if(MERIDEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MERIDEL_FUZZ needs clang (libFuzzer), e.g. -DCMAKE_CXX_COMPILER=clang++-14; "
                        "this is ${CMAKE_CXX_COMPILER_ID}")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # A short string lives inside its object, where AddressSanitizer sees no end: the library's own
  # bounds checks catch a read past it.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
