# cmake -DWEASYPRINT=... -DINPUT=page.html -DBASE=dir/ -DOUTPUT=doc.pdf -P make_pdf.cmake
#
# Prints one help document. weasyprint reports a figure it cannot load or a style it cannot
# apply as a warning and still writes a PDF, so any warning or error it prints fails the step
# here. The PDF is written beside its target and moved into place only when complete, so a
# failed run never leaves a document that looks up to date.
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
if(NOT status EQUAL 0 OR messages MATCHES "(WARNING|ERROR|CRITICAL)")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "weasyprint could not print ${INPUT} cleanly (exit status ${status}):\n${messages}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
