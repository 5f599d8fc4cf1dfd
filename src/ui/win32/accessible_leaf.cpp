// The IAccessible of a window that is one whole thing without parts (the preview's picture, the
// folder box's button). It keeps copies of what it says and the window's handle only, because a
// reader in another process may hold it after the window is gone; every call then fails cleanly.
#include "ui/win32/accessible_leaf.h"

#include <oleacc.h>

#include "ui/lang/texts.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void SetEmpty(VARIANT* v) {
  if (v) v->vt = VT_EMPTY;
}

class LeafObject final : public IAccessible {
 public:
  LeafObject(HWND hwnd, const Win32AccessibleLeaf& leaf) : hwnd_(hwnd), leaf_(leaf) {}

  // --- IUnknown ---
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    // __uuidof, not IID_IAccessible: in the static link that name is oleacc's import entry.
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return ULONG(n);
  }

  // --- IDispatch: readers call the IAccessible methods directly ---
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // --- IAccessible ---
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    // The window's own object (frame, caption) is the parent, as for every window's client.
    if (!IsWindow(hwnd_)) return S_FALSE;
    return CreateStdAccessibleObject(hwnd_, OBJID_WINDOW, __uuidof(IDispatch),
                                     reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (!child) return E_POINTER;
    *child = nullptr;
    return E_INVALIDARG;  // no children
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, leaf_.Name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Nothing(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Nothing(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    SetEmpty(role);
    if (!IsSelf(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal =
        leaf_.Role == TAccessibleRole::arGraphic ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    SetEmpty(state);
    if (!IsSelf(child)) return E_INVALIDARG;
    long s = leaf_.Role == TAccessibleRole::arGraphic ? STATE_SYSTEM_READONLY : 0;
    if (!IsWindow(hwnd_) || !IsWindowVisible(hwnd_)) s |= STATE_SYSTEM_INVISIBLE;
    // A child window is unusable when it or its parent (the folder box) is disabled.
    if (IsWindow(hwnd_) &&
        (!IsWindowEnabled(hwnd_) || (GetParent(hwnd_) && !IsWindowEnabled(GetParent(hwnd_)))))
      s |= STATE_SYSTEM_UNAVAILABLE;
    state->vt = VT_I4;
    state->lVal = s;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Nothing(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return Nothing(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    SetEmpty(focus);
    return S_FALSE;  // neither takes the keyboard focus
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    SetEmpty(selection);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!leaf_.DefaultActionMessage) return Nothing(child, action);
    return Text(child, action, Widen(UiText(TextId::ActionPress)));
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT child) override {
    return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!IsSelf(child)) return E_INVALIDARG;
    RECT r;
    if (!IsWindow(hwnd_) || !GetWindowRect(hwnd_, &r)) return E_FAIL;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    SetEmpty(end);
    return IsSelf(start) ? S_FALSE : E_INVALIDARG;  // nothing inside to move to
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    SetEmpty(hit);
    RECT r;
    if (!IsWindow(hwnd_) || !GetWindowRect(hwnd_, &r) || !PtInRect(&r, POINT{x, y})) return S_FALSE;
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!leaf_.DefaultActionMessage) return DISP_E_MEMBERNOTFOUND;
    if (!IsWindow(hwnd_)) return E_FAIL;
    return PostMessageW(hwnd_, leaf_.DefaultActionMessage, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static HRESULT Text(const VARIANT& child, BSTR* out, const std::wstring& text) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsSelf(child)) return E_INVALIDARG;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT Nothing(const VARIANT& child, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return IsSelf(child) ? S_FALSE : E_INVALIDARG;
  }

  LONG refs_ = 1;
  HWND hwnd_;
  const Win32AccessibleLeaf leaf_;
};

}  // namespace

bool AnswerAccessibleLeaf(HWND hwnd, WPARAM wp, LPARAM lp, const Win32AccessibleLeaf& leaf,
                          LRESULT& result) {
  if (static_cast<LONG>(lp) != OBJID_CLIENT || leaf.Role == TAccessibleRole::arNone) return false;
  auto* object = new LeafObject(hwnd, leaf);
  // LresultFromObject takes a reference of its own for the reader; ours goes at once.
  LRESULT answer = LresultFromObject(__uuidof(IAccessible), wp, object);
  if (answer == LRESULT(CO_E_NOTINITIALIZED) &&
      SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    // Handing the object over marshals it, which wants COM on this thread. The window thread
    // keeps it for the rest of its life, as every thread with windows may.
    answer = LresultFromObject(__uuidof(IAccessible), wp, object);
  }
  object->Release();
  if (answer <= 0) return false;  // a COM error: the system's default object answers instead
  result = answer;
  return true;
}

}  // namespace zv
