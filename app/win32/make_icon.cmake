# SPDX-License-Identifier: MIT
# One .ico from one SVG: the sizes Windows asks for, the largest stored as PNG.
# -DSVG=<file> -DICO=<file> -DWORK=<folder> -DRSVG=<rsvg-convert> -DICOTOOL=<icotool>
file(MAKE_DIRECTORY ${WORK})
set(images)
foreach(size 16 20 24 32 40 48 64)
  execute_process(COMMAND ${RSVG} -w ${size} -h ${size} -o ${WORK}/${size}.png ${SVG} COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND images ${WORK}/${size}.png)
endforeach()
execute_process(COMMAND ${RSVG} -w 256 -h 256 -o ${WORK}/256.png ${SVG} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${ICOTOOL} -c -o ${ICO} ${images} -r ${WORK}/256.png COMMAND_ERROR_IS_FATAL ANY)
