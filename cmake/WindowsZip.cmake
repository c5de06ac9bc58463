# SPDX-License-Identifier: MIT
# The Windows zip, bitscope-<version>-win64.zip, made with every build of the Windows programs:
# one folder holding the programs (stripped), the help guides beside bitscope.exe, where it
# looks for them first, the licence and a short README, both as Windows users open text files
# (.txt, CR LF). The Debian package has no place here.
set(zip_name "bitscope-${PROJECT_VERSION}-win64")
set(zip_stage "${PROJECT_BINARY_DIR}/zip/${zip_name}")
set(BITSCOPE_WINDOWS_ZIP "${PROJECT_BINARY_DIR}/${zip_name}.zip")
file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/zip")  # the packing runs in it

function(bitscope_crlf_text source output)
  file(READ "${source}" text)
  file(CONFIGURE OUTPUT "${output}" CONTENT "${text}" @ONLY NEWLINE_STYLE WIN32)
endfunction()
bitscope_crlf_text("${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_BINARY_DIR}/packaging/LICENSE.txt")
bitscope_crlf_text("${PROJECT_SOURCE_DIR}/packaging/windows-readme.txt" "${PROJECT_BINARY_DIR}/packaging/README.txt")

# Whatever programs this build makes: bitscope.exe comes with the Windows window binding.
set(zip_programs bitscope-cli)
if(TARGET bitscope)
  list(APPEND zip_programs bitscope)
endif()
set(copy_programs "")
set(program_files "")
foreach(program IN LISTS zip_programs)
  list(APPEND copy_programs COMMAND "${CMAKE_STRIP}" -o "${zip_stage}/${program}.exe" "$<TARGET_FILE:${program}>")
  list(APPEND program_files "$<TARGET_FILE:${program}>")
endforeach()
set(guides "${PROJECT_BINARY_DIR}/help/VAZ&I-en.pdf" "${PROJECT_BINARY_DIR}/help/VAZ&I-ro.pdf")

add_custom_command(
  OUTPUT "${BITSCOPE_WINDOWS_ZIP}"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${zip_stage}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${zip_stage}"
  ${copy_programs}
  COMMAND "${CMAKE_COMMAND}" -E copy ${guides} "${PROJECT_BINARY_DIR}/packaging/LICENSE.txt"
          "${PROJECT_BINARY_DIR}/packaging/README.txt" "${zip_stage}"
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${BITSCOPE_WINDOWS_ZIP}" --format=zip "${zip_name}"
  WORKING_DIRECTORY "${PROJECT_BINARY_DIR}/zip"
  DEPENDS ${zip_programs} ${program_files} ${guides} help_documents
          "${PROJECT_BINARY_DIR}/packaging/LICENSE.txt" "${PROJECT_BINARY_DIR}/packaging/README.txt"
  COMMENT "Packing ${zip_name}.zip"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS "${BITSCOPE_WINDOWS_ZIP}")
