// SPDX-License-Identifier: MIT
// What assistive technologies hear of a control. Each control answers
// WM_GETOBJECT with the system's own accessible object for it, except for the
// name and the description, which are the program's: a wrapper that asks the
// window's record at every question, so that a client holding the object hears
// the language switch and the caret moves. (The property service that would do
// the same is not there on every system the program meets; this path is.)
#include <windows.h>  // before the headers of the system's parts

#include <initguid.h>  // defines the interface ids of oleacc.h in this unit

#include <oleacc.h>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

BSTR toBstr(const std::wstring& text) {
  return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The control's record, if the window still has it.
const Win32Control* recordOf(HWND hwnd) {
  HWND dialog = GetParent(hwnd);
  auto* window =
      dialog != nullptr ? reinterpret_cast<LowWindow*>(GetWindowLongPtrW(dialog, DWLP_USER)) : nullptr;
  return win32FindControl(window, hwnd);
}

class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(HWND hwnd, IAccessible* standard) : hwnd_(hwnd), standard_(standard) {}
  ~ControlAccessible() { standard_->Release(); }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* error, UINT* argument) override {
    return standard_->Invoke(id, iid, locale, flags, params, result, error, argument);
  }

  // IAccessible: the program's name and description, the rest the system's.
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    const Win32Control* control = recordOf(hwnd_);
    if (!isSelf(child) || control == nullptr) return standard_->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = toBstr(win32AccessibleName(*control));
    return S_OK;
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    const Win32Control* control = recordOf(hwnd_);
    if (!isSelf(child) || control == nullptr) return standard_->get_accDescription(child, description);
    if (description == nullptr) return E_POINTER;
    const std::wstring text = win32AccessibleDescription(*control);
    *description = text.empty() ? nullptr : toBstr(text);
    return text.empty() ? S_FALSE : S_OK;
  }
  STDMETHODIMP get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  STDMETHODIMP get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  HWND hwnd_;
  IAccessible* standard_;
  LONG references_ = 1;
};

}  // namespace

std::wstring win32AccessibleName(const Win32Control& control) {
  // A control without a name of its own is heard as it reads: an empty label
  // has an empty name, never a made-up one.
  if (!control.accessible.name.empty()) return toWide(control.accessible.name);
  return withoutMnemonics(toWide(control.caption));
}

std::wstring win32AccessibleDescription(const Win32Control& control) {
  if (control.kind != Win32ControlKind::Edit || control.hwnd == nullptr)
    return toWide(control.accessible.description);
  const std::wstring shown = windowText(control.hwnd);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(control.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return toWide(describedWithCaret(control.accessible, toCharIndex(shown, static_cast<int>(end)),
                                   toCharIndex(shown, static_cast<int>(shown.size()))));
}

void win32CaretMoved(Win32Control& control) {
  if (control.accessible.caretNote.empty()) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(control.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const long long seen = (static_cast<long long>(GetWindowTextLengthW(control.hwnd)) << 32) | end;
  if (seen == control.caretSeen) return;
  control.caretSeen = seen;
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT win32AccessibleObject(LowWindow&, Win32Control& control, WPARAM wParam, LPARAM) {
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control.hwnd, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&standard))))
    return 0;
  auto* wrapper = new ControlAccessible(control.hwnd, standard);
  const LRESULT result = LresultFromObject(IID_IAccessible, wParam, wrapper);
  wrapper->Release();
  return result;
}

}  // namespace bitscope
