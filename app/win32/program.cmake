# SPDX-License-Identifier: MIT
# The Windows program: bitscope.exe on the Win32 binding, with its manifest, version
# resource and icons, linked statically so that it needs nothing installed.
enable_language(RC)
find_program(BITSCOPE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(BITSCOPE_ICOTOOL icotool REQUIRED)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icons)
foreach(id 104 109 110 112)
  set(svg ${PROJECT_SOURCE_DIR}/resources/icons/${id}.svg)
  add_custom_command(
    OUTPUT ${icon_dir}/${id}.ico
    COMMAND ${CMAKE_COMMAND} -DSVG=${svg} -DICO=${icon_dir}/${id}.ico -DWORK=${icon_dir}/${id}
            -DRSVG=${BITSCOPE_RSVG_CONVERT} -DICOTOOL=${BITSCOPE_ICOTOOL}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/win32/make_icon.cmake
    DEPENDS ${svg} ${CMAKE_CURRENT_SOURCE_DIR}/win32/make_icon.cmake
    COMMENT "Icon ${id}.ico"
    VERBATIM)
  list(APPEND icons ${icon_dir}/${id}.ico)
endforeach()
add_custom_target(bitscope_win32_icons DEPENDS ${icons})

set(BITSCOPE_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/win32/bitscope.manifest)
set(BITSCOPE_ICON_DIR ${icon_dir})
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/win32/bitscope.rc.in ${CMAKE_CURRENT_BINARY_DIR}/bitscope_win32.rc @ONLY)
set(BITSCOPE_WIN32_RESOURCES ${CMAKE_CURRENT_BINARY_DIR}/bitscope_win32.rc CACHE INTERNAL
    "The Windows program's resources, which the binding's tests link too")

add_executable(bitscope WIN32 win32_main.cpp ${BITSCOPE_WIN32_RESOURCES})
add_dependencies(bitscope bitscope_win32_icons)
set_source_files_properties(${BITSCOPE_WIN32_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${icons};${BITSCOPE_MANIFEST}")
target_link_libraries(bitscope PRIVATE bitscope_dlglow_win32 bitscope_program bitscope_dialog)
target_compile_definitions(bitscope PRIVATE BITSCOPE_VERSION="${PROJECT_VERSION}")
# One file that needs nothing installed: the compiler's runtime inside it.
target_link_options(bitscope PRIVATE -static -static-libgcc -static-libstdc++)
bitscope_warnings(bitscope)
install(TARGETS bitscope RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
