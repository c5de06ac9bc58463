# SPDX-License-Identifier: MIT
# cmake -DWEASYPRINT=... -DINPUT=page.html -DBASE=dir/ -DOUTPUT=doc.pdf -P make_pdf.cmake
#
# Prints one help document. weasyprint reports a figure or font it cannot load as a warning
# and still writes a PDF, one without the picture or in another font: that fails the step. Any
# other remark it makes (a style it does not support, say) is passed on as a warning, so that a
# newer or older weasyprint never stops a packager's build over the looks of a page. The PDF is
# written beside its target and moved into place only when complete, so a failed run never
# leaves a document that looks up to date.
foreach(var WEASYPRINT INPUT BASE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_pdf.cmake: ${var} is not set")
  endif()
endforeach()

set(partial "${OUTPUT}.partial")
file(REMOVE "${partial}")
execute_process(
  COMMAND "${WEASYPRINT}" --encoding utf-8 --base-url "${BASE}" "${INPUT}" "${partial}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
string(STRIP "${out}${err}" messages)
if(NOT status EQUAL 0 OR messages MATCHES "(ERROR|CRITICAL|Failed to load)")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "weasyprint could not print ${INPUT} (exit status ${status}):\n${messages}")
endif()
if(messages)
  message(WARNING "weasyprint printed ${INPUT} with remarks:\n${messages}")
endif()
# A font the page names but the machine lacks is replaced without a word: only the Liberation
# fonts the style sheet names may be embedded.
file(STRINGS "${partial}" font_lines REGEX "/BaseFont */[A-Z]+\\+")
set(embedded "")
foreach(line IN LISTS font_lines)
  string(REGEX MATCHALL "/BaseFont */[A-Z]+\\+[A-Za-z0-9-]+" names "${line}")
  list(APPEND embedded ${names})
endforeach()
list(REMOVE_DUPLICATES embedded)
list(FILTER embedded EXCLUDE REGEX "\\+Liberation-")
if(NOT font_lines OR embedded)
  file(REMOVE "${partial}")
  message(FATAL_ERROR "${INPUT} was printed without its Liberation fonts (Debian: fonts-liberation);"
                      " embedded instead: ${embedded}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
