# SPDX-License-Identifier: MIT
# The Debian package, made by `cpack -G DEB` in a build configured for the prefix it installs to
# (-DCMAKE_INSTALL_PREFIX=/usr: the program looks for its guides under the configured prefix).
# scripts/package does both. The dependencies on shared libraries are read off the programs by
# dpkg-shlibdeps, so they follow whatever the build actually linked.
set(CPACK_PACKAGE_NAME bitscope)
set(CPACK_PACKAGE_VENDOR "The Bitscope developers")
set(CPACK_PACKAGE_CONTACT "The Bitscope developers <maintainers@bitscope.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "how decimal numbers are stored in IEEE 754 binary formats")
# Under the summary line, the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Bitscope is a teaching tool that shows how a decimal number is stored in the
IEEE 754 formats Binary32, Binary64 and Binary128: the sign, exponent and
significand bit by bit, the kind of datum, the value decoded back from the
bits, its neighbours, ULP and Delta, every figure exact. Its window speaks
Romanian and English; bitscope-cli gives the same answers to scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
if(BITSCOPE_BUILD_GUI)
  # Beyond the linked libraries: Qt's window-system plugins, the free fonts with the metrics the
  # dialogs are laid out for, and the desktop tools that open the help guides.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, xdg-utils")
endif()

# What Debian asks of every package's documentation folder.
set(doc_dir "${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME}")
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog.in" "${PROJECT_BINARY_DIR}/packaging/changelog" @ONLY)
add_custom_command(
  OUTPUT "${PROJECT_BINARY_DIR}/packaging/changelog.gz"
  COMMAND gzip -9nc "${PROJECT_BINARY_DIR}/packaging/changelog" > "${PROJECT_BINARY_DIR}/packaging/changelog.gz"
  DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog"
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
install(FILES "${PROJECT_BINARY_DIR}/packaging/changelog.gz" DESTINATION "${doc_dir}")
# The licence in Debian's machine-readable copyright format, made from LICENSE itself.
file(STRINGS "${PROJECT_SOURCE_DIR}/LICENSE" licence_lines)
list(POP_FRONT licence_lines)  # its title: the format names the licence instead
set(copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
              "Upstream-Name: Bitscope\n\nFiles: *\nCopyright: 2026 The Bitscope developers\nLicense: Expat\n")
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    set(line ".")
  endif()
  list(APPEND copyright " ${line}\n")
endforeach()
list(JOIN copyright "" copyright)
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/packaging/copyright" CONTENT "${copyright}")
install(FILES "${PROJECT_BINARY_DIR}/packaging/copyright" DESTINATION "${doc_dir}")

include(CPack)
