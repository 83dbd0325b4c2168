# The programs as they are shipped: how they are linked, what `make install`
# puts where, the manual pages and the Debian package.

# ---------------------------------------------------------------------------
# Lean start-up. The C++ runtime and libgcc are linked into the programs, so
# that the dynamic loader neither maps libstdc++.so and libgcc_s.so nor
# relocates and initialises them; the C library stays shared, and the package
# depends on it alone. Unused sections are dropped, and libraries that nothing
# uses are not recorded as needed. Measured with bench/startup.sh (see the
# README). Sanitizer builds keep the shared runtime that the sanitizer
# libraries expect.
if(NOT WELLEN_SANITIZE)
  foreach(program wellen743 wellen743-batch wellen743-welle)
    target_link_options(${program} PRIVATE
      -static-libstdc++ -static-libgcc
      -Wl,--gc-sections -Wl,--as-needed)
  endforeach()
endif()

# ---------------------------------------------------------------------------
# Installation, in two components (make install installs both; the package
# makes one Debian package of each):
#   programs  the programs to bin/, their manual pages, gzipped, to
#             share/man/man1/;
#   dev       the calculation library: lib/libwellen743.a, its headers under
#             include/wellen743/, a CMake package (find_package(wellen743),
#             target wellen743::calc) and a pkg-config file wellen743.pc;
# each with its copyright and changelog.gz in share/doc/PACKAGE/.
install(TARGETS wellen743 wellen743-batch wellen743-welle
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)

find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_target(wellen743_manpages ALL)
# Compresses doc/NAME.1 at build time and installs it with the programs.
# gzip -n leaves name and time stamp out, so the same page gives the same bytes.
function(wellen_manpage name)
  set(page ${PROJECT_SOURCE_DIR}/doc/${name}.1)
  set(gz ${PROJECT_BINARY_DIR}/man/${name}.1.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${page} ${PROJECT_BINARY_DIR}/man/${name}.1
    COMMAND ${GZIP_PROGRAM} -9 -n -f ${PROJECT_BINARY_DIR}/man/${name}.1
    DEPENDS ${page}
    COMMENT "Compressing the manual page ${name}.1"
    VERBATIM)
  add_custom_target(${name}_manpage DEPENDS ${gz})
  add_dependencies(wellen743_manpages ${name}_manpage)
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
endfunction()
wellen_manpage(wellen743)
wellen_manpage(wellen743-batch)
wellen_manpage(wellen743-welle)

# The licence and the changelog of each package, under share/doc/PACKAGE/:
# copyright in Debian's machine-readable format, made from LICENSE at
# configure time, and cmake/changelog (Debian's format) gzipped with -n like
# the manual pages.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE WELLEN_LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" WELLEN_COPYRIGHT_LINE "${WELLEN_LICENSE}")
set(WELLEN_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${WELLEN_LICENSE}" "Permission is hereby granted" WELLEN_GRANT)
string(SUBSTRING "${WELLEN_LICENSE}" ${WELLEN_GRANT} -1 WELLEN_LICENSE_TEXT)
string(STRIP "${WELLEN_LICENSE_TEXT}" WELLEN_LICENSE_TEXT)
# A blank line of the text becomes " ." and every line gets one space in front.
string(REPLACE "\n\n" "\n.\n" WELLEN_LICENSE_TEXT "${WELLEN_LICENSE_TEXT}")
string(REPLACE "\n" "\n " WELLEN_LICENSE_TEXT "${WELLEN_LICENSE_TEXT}")
file(WRITE ${PROJECT_BINARY_DIR}/doc/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: ${PROJECT_NAME}\n"
  "\n"
  "Files: *\n"
  "Copyright: ${WELLEN_COPYRIGHT}\n"
  "License: Expat\n"
  " ${WELLEN_LICENSE_TEXT}\n")
set(WELLEN_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
  OUTPUT ${WELLEN_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/cmake/changelog
          ${PROJECT_BINARY_DIR}/doc/changelog
  COMMAND ${GZIP_PROGRAM} -9 -n -f ${PROJECT_BINARY_DIR}/doc/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(wellen743_changelog ALL DEPENDS ${WELLEN_CHANGELOG_GZ})
foreach(package_component wellen743:programs libwellen743-dev:dev)
  string(REPLACE ":" ";" package_component ${package_component})
  list(GET package_component 0 package)
  list(GET package_component 1 component)
  install(FILES ${PROJECT_BINARY_DIR}/doc/copyright ${WELLEN_CHANGELOG_GZ}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()

# The library, its headers and the CMake package. The package files find
# everything relative to where they are installed, so the installed tree may
# be moved as a whole.
include(CMakePackageConfigHelpers)
set(WELLEN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/wellen743)
install(TARGETS wellen_calc EXPORT wellen743Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
file(GLOB WELLEN_CALC_HEADERS ${PROJECT_SOURCE_DIR}/src/calc/*.h
  ${PROJECT_SOURCE_DIR}/src/statik/*.h)
install(FILES ${WELLEN_CALC_HEADERS} ${PROJECT_BINARY_DIR}/generated/wellen743/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/wellen743 COMPONENT dev)
install(EXPORT wellen743Targets NAMESPACE wellen743::
  DESTINATION ${WELLEN_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/wellen743Config.cmake.in
  ${PROJECT_BINARY_DIR}/wellen743Config.cmake INSTALL_DESTINATION ${WELLEN_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/wellen743ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/wellen743Config.cmake
  ${PROJECT_BINARY_DIR}/wellen743ConfigVersion.cmake
  DESTINATION ${WELLEN_CMAKE_DIR} COMPONENT dev)

# The pkg-config file names the prefix installed to, which is known only when
# installing: make install PREFIX=... passes it to cmake --install, and the
# package installs to /usr. The template is made at configure time with the
# prefix left as a placeholder and filled in by the install step.
set(WELLEN_PC_PREFIX "@WELLEN_PC_PREFIX@")
configure_file(${PROJECT_SOURCE_DIR}/cmake/wellen743.pc.in
  ${PROJECT_BINARY_DIR}/wellen743.pc.in @ONLY)
install(CODE "
  set(WELLEN_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(pc \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig/wellen743.pc\")
  message(STATUS \"Installing: \${pc}\")
  configure_file(\"${PROJECT_BINARY_DIR}/wellen743.pc.in\" \"\${pc}\" @ONLY)
  " COMPONENT dev)

# ---------------------------------------------------------------------------
# Debian packages (make package), from the same install rules under /usr:
# wellen743 (the programs) and libwellen743-dev (the library).
# dpkg-shlibdeps (package dpkg-dev) computes Depends; it needs `file`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wellen743)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs dev)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME wellen743)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION science)
# The first line of each description is the package's summary, the rest its
# paragraph.
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION
  "strength check of a notched shaft or axle after DIN 743
An interactive console calculator for the strength check of a shaft or an
axle at a round groove or a shoulder by the method of DIN 743. From the
nominal mean stresses and amplitudes in tension/compression, bending and
torsion, the notch geometry and the material strengths it prints the notch
and influence factors, the component fatigue and yield strengths, and the
safety factors against fatigue fracture and against yielding. It talks
German, takes one-key commands, and reads scripted input from a pipe.
wellen743-batch computes many cases at once from CSV files, with nominal
stresses or section loads, and writes every quantity as CSV, JSON Lines or
a table. wellen743-welle reads a whole shaft from a TOML file (its contour,
grooves, two bearings and the loads of each load case), computes the
bearing reactions, the internal forces and the deflection, and checks every
shoulder and groove in every load case.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libwellen743-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION
  "strength check after DIN 743: calculation library
The calculation of wellen743 as a static C++ library for other programs:
from the nominal stresses, the geometry of a round groove or a shoulder and
the material strengths of a shaft or axle, one pure function computes every
quantity of the method of DIN 743, the notch and influence factors, the
component fatigue and yield strengths, and the safety factors against
fatigue fracture and against yielding. A shaft model beside it takes a
whole shaft (contour, grooves, two bearings, load cases) and computes its
bearing reactions, internal forces and deflection line and the check at
every notch. With C++ headers, a CMake package (find_package(wellen743),
target wellen743::calc) and a pkg-config file.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
  "wellen743 maintainers <maintainers@users.noreply.c-seed-4a467b8f.example>")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
