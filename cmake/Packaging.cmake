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

# ---------------------------------------------------------------------------
# Installation: the program to bin/, the manual page, gzipped, to
# share/man/man1/ (make install, with PREFIX and DESTDIR; and the package).
include(GNUInstallDirs)
install(TARGETS wellen743 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

find_program(GZIP_PROGRAM gzip REQUIRED)
set(WELLEN_MANPAGE ${PROJECT_SOURCE_DIR}/doc/wellen743.1)
set(WELLEN_MANPAGE_GZ ${PROJECT_BINARY_DIR}/man/wellen743.1.gz)
# gzip -n leaves name and time stamp out, so the same page gives the same bytes.
add_custom_command(
  OUTPUT ${WELLEN_MANPAGE_GZ}
  COMMAND ${CMAKE_COMMAND} -E copy ${WELLEN_MANPAGE} ${PROJECT_BINARY_DIR}/man/wellen743.1
  COMMAND ${GZIP_PROGRAM} -9 -n -f ${PROJECT_BINARY_DIR}/man/wellen743.1
  DEPENDS ${WELLEN_MANPAGE}
  COMMENT "Compressing the manual page"
  VERBATIM)
add_custom_target(wellen743_manpage ALL DEPENDS ${WELLEN_MANPAGE_GZ})
install(FILES ${WELLEN_MANPAGE_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# ---------------------------------------------------------------------------
# Debian package (make package): what make install puts under /usr.
# dpkg-shlibdeps (package dpkg-dev) computes Depends; it needs `file`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wellen743)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "strength check of a notched shaft or axle after DIN 743")
# CPack puts the summary on the Description line; this is the paragraph below.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "An interactive console calculator for the strength check of a shaft or an
axle at a round groove or a shoulder by the method of DIN 743. From the
nominal mean stresses and amplitudes in tension/compression, bending and
torsion, the notch geometry and the material strengths it prints the notch
and influence factors, the component fatigue and yield strengths, and the
safety factors against fatigue fracture and against yielding. It talks
German, takes one-key commands, and reads scripted input from a pipe.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
  "wellen743 maintainers <maintainers@users.noreply.c-seed-4a467b8f.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
