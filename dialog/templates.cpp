// SPDX-License-Identifier: MIT
// The dialog templates of the program: resources/bitscope.rc, embedded at build
// time and parsed once, on first use.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "dialog/dlgtemplate.h"
#include "dialog/embedded_script.h"
#include "dialog/rcparse.h"

namespace bitscope {

namespace {

std::vector<DialogTemplate> parseEmbeddedTemplates() {
  RcParseResult parsed = parseResourceScript(embeddedResourceScript());
  // The script is part of the program and checked by its tests; a fault here is
  // a build defect, reported where a developer will see it. Every lookup then
  // fails, which the callers report as missing templates.
  if (parsed.error) std::fprintf(stderr, "bitscope.rc, %s\n", describe(*parsed.error).c_str());
  return std::move(parsed.dialogs);
}

}  // namespace

const DialogTemplate* findDialogTemplate(int templateId) {
  static const std::vector<DialogTemplate> templates = parseEmbeddedTemplates();
  const auto found = std::find_if(templates.begin(), templates.end(),
                                  [templateId](const DialogTemplate& tpl) { return tpl.id == templateId; });
  return found == templates.end() ? nullptr : &*found;
}

}  // namespace bitscope
