// SPDX-License-Identifier: MIT
// The events each kind of control raises, in the order of its callback slots.
// The loader sizes a record's slots from it, DLGSETCALLBACK finds the slot an
// event kind names, and the message handler the slot a window notice calls:
// written once, the three cannot drift apart.
#include <array>

#include "dialog/layer.h"

namespace bitscope {

namespace {

constexpr std::array<EventSlot, 1> buttonSlots{{{EVT_CLICKED, LowNotify::Clicked}}};
constexpr std::array<EventSlot, 4> editBoxSlots{{
    {EVT_CHANGE, LowNotify::EditChange},
    {EVT_UPDATE, LowNotify::EditUpdate},
    {EVT_GAINFOCUS, LowNotify::FocusIn},
    {EVT_LOSEFOCUS, LowNotify::FocusOut},
}};
constexpr std::array<EventSlot, 2> listBoxSlots{{
    {EVT_SELCHANGE, LowNotify::ListSelChange},
    {EVT_DBLCLICK, LowNotify::ListDblClick},
}};

}  // namespace

std::span<const EventSlot> eventSlots(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return buttonSlots;
    case ControlKind::EditBox:
      return editBoxSlots;
    case ControlKind::ListBox:
      return listBoxSlots;
    default:
      return {};
  }
}

}  // namespace bitscope
