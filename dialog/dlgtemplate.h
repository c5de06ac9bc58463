// SPDX-License-Identifier: MIT
// The parsed form of one DIALOGEX statement of resources/bitscope.rc.
//
// The template loader builds a DialogObject's control table from the items;
// a window binding builds the on-screen window from the same data (geometry in
// dialog units, fonts, captions). Nothing here names a toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bitscope {

// Predefined window classes, numbered as in the binary dialog template format.
enum class ControlClass {
  Button = 0x80,
  Edit = 0x81,
  Static = 0x82,
  ListBox = 0x83,
  ScrollBar = 0x84,
  ComboBox = 0x85,
  Named = 0
};

struct TemplateItem {
  ControlClass controlClass = ControlClass::Static;
  std::string className;      // the class name as written in the script ("Button", ...)
  std::uint32_t style = 0;    // WS_* | BS_* / ES_* / SS_* / LBS_* bits
  std::uint32_t exStyle = 0;  // WS_EX_* bits
  std::int32_t id = -1;
  std::string title;                        // Windows-1252, line breaks as "\n"; cut to 256 characters
  bool titleIsResource = false;             // the title names a resource number (an icon)
  int resourceNumber = 0;                   // that number, when titleIsResource
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
};

struct DialogTemplate {
  int id = 0;
  std::string caption;      // Windows-1252
  std::uint32_t style = 0;  // WS_* | DS_* bits
  std::uint32_t exStyle = 0;
  std::string fontName;  // as the template names it ("MS Sans Serif")
  int fontPointSize = 8;
  int fontWeight = 400;
  bool fontItalic = false;
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  std::vector<TemplateItem> items;          // template order
};

// The templates embedded at build time, parsed on first use. Null when no
// template has that id.
const DialogTemplate* findDialogTemplate(int templateId);

}  // namespace bitscope
