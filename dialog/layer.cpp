// SPDX-License-Identifier: MIT
// The layer-wide references and the window binding records.
#include <algorithm>

#include "dialog/layer.h"

namespace bitscope {

LayerState& layerState() {
  static LayerState state;
  return state;
}

WindowBinding& addWindowBinding(DialogObject& dialog, bool modal) {
  auto binding = std::make_unique<WindowBinding>();
  binding->dialog = &dialog;
  binding->modal = modal;
  return *layerState().bindings.emplace_back(std::move(binding));
}

void removeWindowBinding(const WindowBinding* binding) {
  auto& bindings = layerState().bindings;
  std::erase_if(bindings,
                [binding](const std::unique_ptr<WindowBinding>& held) { return held.get() == binding; });
}

WindowBinding* windowBinding(LowWindow* window) {
  if (window == nullptr) return nullptr;
  auto* binding = static_cast<WindowBinding*>(lowGetUserData(window));
  const auto& bindings = layerState().bindings;
  // Only records the layer still holds: a stale pointer is never followed.
  const bool held =
      std::any_of(bindings.begin(), bindings.end(),
                  [binding](const std::unique_ptr<WindowBinding>& b) { return b.get() == binding; });
  return held ? binding : nullptr;
}

CurrentDialogScope::CurrentDialogScope(DialogObject& dialog, LowWindow* window)
    : savedDialog_(layerState().currentDialog), savedWindow_(layerState().currentWindow) {
  layerState().currentDialog = &dialog;
  layerState().currentWindow = window;
}

CurrentDialogScope::~CurrentDialogScope() {
  layerState().currentDialog = savedDialog_;
  layerState().currentWindow = savedWindow_;
}

}  // namespace bitscope
