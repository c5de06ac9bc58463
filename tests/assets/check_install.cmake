# SPDX-License-Identifier: MIT
# cmake -DBUILD_DIR=... -DPREFIX=... -DDATADIR=share -DAPP_ID=... -P check_install.cmake
#
# Installs the help and desktop components into an empty prefix and checks that each file lands
# where a desktop looks for it: the help documents where the program searches, the launcher
# entry and AppStream file under their standard folders, and the program icon in every hicolor
# size, each PNG really of its size.
foreach(var BUILD_DIR PREFIX DATADIR APP_ID)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_install.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
foreach(component help desktop)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}" --component ${component}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "installing component ${component} failed:\n${out}${err}")
  endif()
endforeach()

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

# The first bytes of a file, as hexadecimal digits.
function(file_head path count out)
  file(READ "${path}" head LIMIT ${count} HEX)
  set(${out} "${head}" PARENT_SCOPE)
endfunction()

set(share "${PREFIX}/${DATADIR}")
foreach(lang en ro)
  set(doc "${share}/bitscope/VAZ&I-${lang}.pdf")
  if(NOT EXISTS "${doc}")
    fail("missing ${doc}")
  else()
    file_head("${doc}" 5 head)
    if(NOT head STREQUAL "255044462d") # "%PDF-"
      fail("${doc} is not a PDF")
    endif()
  endif()
endforeach()

set(entry "${share}/applications/${APP_ID}.desktop")
set(metainfo "${share}/metainfo/${APP_ID}.metainfo.xml")
set(svg "${share}/icons/hicolor/scalable/apps/bitscope.svg")
foreach(path IN ITEMS "${entry}" "${metainfo}" "${svg}")
  if(NOT EXISTS "${path}")
    fail("missing ${path}")
  endif()
endforeach()
if(EXISTS "${entry}")
  file(STRINGS "${entry}" icon_line REGEX "^Icon=")
  file(STRINGS "${entry}" exec_line REGEX "^Exec=")
  if(NOT icon_line STREQUAL "Icon=bitscope" OR NOT exec_line STREQUAL "Exec=bitscope")
    fail("${entry} does not launch bitscope with the bitscope icon (${icon_line}, ${exec_line})")
  endif()
endif()
if(EXISTS "${metainfo}")
  file(READ "${metainfo}" xml)
  if(NOT xml MATCHES "<launchable type=\"desktop-id\">${APP_ID}\\.desktop</launchable>")
    fail("${metainfo} does not name ${APP_ID}.desktop as its launchable")
  endif()
endif()

foreach(size 16 32 48 64 128 256)
  set(png "${share}/icons/hicolor/${size}x${size}/apps/bitscope.png")
  if(NOT EXISTS "${png}")
    fail("missing ${png}")
    continue()
  endif()
  # PNG signature (8 bytes), IHDR length and tag (8 bytes), then width and height (4 bytes each).
  file_head("${png}" 24 head)
  string(SUBSTRING "${head}" 0 16 signature)
  string(SUBSTRING "${head}" 32 8 width_hex)
  string(SUBSTRING "${head}" 40 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    fail("${png} is not a ${size}x${size} PNG (${width}x${height})")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "the installed tree is not as expected:\n${failures}")
endif()
message(STATUS "help documents, launcher entry, AppStream file and 7 icons installed where they belong")
