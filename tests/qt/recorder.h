// SPDX-License-Identifier: MIT
// A stand-in for the dialog layer: records every notice the Qt binding sends,
// so the binding is tested on its own. Tests may react to a notice as the
// layer would (end a modal loop, destroy a window).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialog/dlglow.h"
#include "dialog/dlgtemplate.h"

namespace bitscope::test {

struct Notice {
  LowWindow* window = nullptr;
  LowEvent event;
};

std::vector<Notice>& notices();
void resetNotices();  // also drops the reaction
void reactWith(std::function<void(LowWindow*, const LowEvent&)> reaction);

int commandCount(int controlId, LowNotify notify);
int kindCount(LowEvent::Kind kind, const LowWindow* window = nullptr);

// Template items as a resource script writes them: WS_CHILD | WS_VISIBLE plus
// the given style.
TemplateItem item(ControlClass controlClass, std::uint32_t style, int id, const std::string& title, int x,
                  int y, int width, int height, std::uint32_t exStyle = 0);
TemplateItem hidden(TemplateItem item);
DialogTemplate dialogTemplate(std::vector<TemplateItem> items, std::uint32_t style = 0);

}  // namespace bitscope::test
