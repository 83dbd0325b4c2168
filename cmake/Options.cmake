# Compiler settings shared by every target of the project, as INTERFACE
# targets that each library, program and test links.

add_library(wellen_options INTERFACE)
target_compile_options(wellen_options INTERFACE
  -Wall -Wextra -Wpedantic
  # Every formula is evaluated exactly as written: no fused multiply-add.
  -ffp-contract=off)

if(WELLEN_SANITIZE)
  # Division by zero of reals is part of the method (it prints inf or nan),
  # so the float-divide-by-zero check stays off.
  target_compile_options(wellen_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(wellen_options INTERFACE -fsanitize=address,undefined)
endif()

if(WELLEN_FUZZ)
  # The fuzz build: every library is instrumented for coverage-guided fuzzing
  # and runs under AddressSanitizer and UndefinedBehaviorSanitizer; the
  # fuzz targets themselves link the libFuzzer driver (tests/fuzz). Any
  # sanitizer report aborts, so that libFuzzer counts it as a crash. As above,
  # float-divide-by-zero stays off.
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "WELLEN_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(wellen_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=float-divide-by-zero
    -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  target_link_options(wellen_options INTERFACE -fsanitize=address,undefined)
endif()
