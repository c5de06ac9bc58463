# SPDX-License-Identifier: MIT
# cmake -DVERSION=x.y.z -DMETAINFO=file.metainfo.xml -P check_versions.cmake
#
# The project's version is written once, in the CMake project; a file that has to carry it as
# text of its own is checked against it here.
file(READ "${METAINFO}" metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]+)\"")
  message(FATAL_ERROR "${METAINFO}: no release")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "${METAINFO}: the newest release is ${CMAKE_MATCH_1}, the project is ${VERSION}")
endif()
