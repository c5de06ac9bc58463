# SPDX-License-Identifier: MIT
# Writes a C++ source that holds the bytes of a file as an array, 16 bytes a line.
# Usage: cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -P embed_script.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
set(lines "")
set(offset 0)
while(offset LESS hexLength)
  string(SUBSTRING "${hex}" ${offset} 32 chunk)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1', " chunk "${chunk}")
  string(APPEND lines "    ${chunk}\n")
  math(EXPR offset "${offset} + 32")
endwhile()
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp" "// Generated from ${name} by embed_script.cmake; do not edit.
#include \"dialog/embedded_script.h\"

namespace bitscope {

namespace {
const char scriptBytes[] = {
${lines}    '\\0'};
}  // namespace

std::string_view embeddedResourceScript() { return {scriptBytes, sizeof scriptBytes - 1}; }

}  // namespace bitscope
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
