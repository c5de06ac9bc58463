// SPDX-License-Identifier: MIT
#include "tests/qt/recorder.h"

#include <algorithm>
#include <utility>

#include "dialog/winstyle.h"

namespace bitscope {

namespace {
std::function<void(LowWindow*, const LowEvent&)>& reaction() {
  static std::function<void(LowWindow*, const LowEvent&)> react;
  return react;
}
}  // namespace

// The binding's one call into the dialog layer.
bool dlgWindowEvent(LowWindow* window, const LowEvent& event) {
  test::notices().push_back({window, event});
  if (reaction()) reaction()(window, event);
  return true;
}

namespace test {

using namespace winstyle;

std::vector<Notice>& notices() {
  static std::vector<Notice> recorded;
  return recorded;
}

void resetNotices() {
  notices().clear();
  reaction() = nullptr;
}

void reactWith(std::function<void(LowWindow*, const LowEvent&)> react) { reaction() = std::move(react); }

int commandCount(int controlId, LowNotify notify) {
  return static_cast<int>(std::count_if(notices().begin(), notices().end(), [&](const Notice& n) {
    return n.event.kind == LowEvent::Kind::Command && n.event.controlId == controlId &&
           n.event.notify == notify;
  }));
}

int kindCount(LowEvent::Kind kind, const LowWindow* window) {
  return static_cast<int>(std::count_if(notices().begin(), notices().end(), [&](const Notice& n) {
    return n.event.kind == kind && (window == nullptr || n.window == window);
  }));
}

TemplateItem item(ControlClass controlClass, std::uint32_t style, int id, const std::string& title, int x,
                  int y, int width, int height, std::uint32_t exStyle) {
  TemplateItem it;
  it.controlClass = controlClass;
  it.style = WS_CHILD | WS_VISIBLE | style;
  it.exStyle = exStyle;
  it.id = id;
  it.title = title;
  it.x = x;
  it.y = y;
  it.width = width;
  it.height = height;
  return it;
}

TemplateItem hidden(TemplateItem it) {
  it.style &= ~WS_VISIBLE;
  return it;
}

DialogTemplate dialogTemplate(std::vector<TemplateItem> items, std::uint32_t style) {
  DialogTemplate tpl;
  tpl.id = 900;
  tpl.caption = "Binding test";
  tpl.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | style;
  tpl.fontName = "MS Sans Serif";
  tpl.fontPointSize = 8;
  tpl.width = 220;
  tpl.height = 140;
  tpl.items = std::move(items);
  return tpl;
}

}  // namespace test
}  // namespace bitscope
