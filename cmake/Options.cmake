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
