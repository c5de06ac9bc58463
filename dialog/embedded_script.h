// SPDX-License-Identifier: MIT
// The bytes of resources/bitscope.rc, compiled into the library by the build
// (dialog/embed_script.cmake), so that no file is read at run time.
#pragma once

#include <string_view>

namespace bitscope {

std::string_view embeddedResourceScript();

}  // namespace bitscope
