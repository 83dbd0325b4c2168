# The program as it is shipped: how it is linked, what `make install` puts
# where, the manual page and the Debian package.

# ---------------------------------------------------------------------------
# Lean start-up. The C++ runtime and libgcc are linked into the program, so
# that the dynamic loader neither maps libstdc++.so and libgcc_s.so nor
# relocates and initialises them; the C library stays shared. Unused sections
# are dropped, and libraries that nothing uses are not recorded as needed.
# Measured with bench/startup.sh (see the README). Sanitizer builds keep the
# shared runtime that the sanitizer libraries expect.
if(NOT WELLEN_SANITIZE)
  target_link_options(wellen743 PRIVATE
    -static-libstdc++ -static-libgcc
    -Wl,--gc-sections -Wl,--as-needed)
endif()
