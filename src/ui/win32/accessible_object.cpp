// IAccessible over a portable accessibility model (accessible_object.h): the COM object of one
// part, the translation of child ids, roles, states and directions, WM_GETOBJECT and the events.
// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include "ui/win32/accessible_object.h"

#include <string>

namespace zv {

namespace {

long RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Table:
      return ROLE_SYSTEM_TABLE;
    case AccessibleRole::Row:
      return ROLE_SYSTEM_ROW;
    case AccessibleRole::ColumnHeader:
      return ROLE_SYSTEM_COLUMNHEADER;
    case AccessibleRole::Cell:
      return ROLE_SYSTEM_CELL;
    case AccessibleRole::CheckButton:
      return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::Graphic:
      return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::Client:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

long StatesOf(AccessibleStates s) {
  long out = 0;
  if (s & asFocused) out |= STATE_SYSTEM_FOCUSED;
  if (s & asSelected) out |= STATE_SYSTEM_SELECTED;
  if (s & asFocusable) out |= STATE_SYSTEM_FOCUSABLE;
  if (s & asSelectable) out |= STATE_SYSTEM_SELECTABLE;
  if (s & asChecked) out |= STATE_SYSTEM_CHECKED;
  if (s & asOffscreen) out |= STATE_SYSTEM_OFFSCREEN;
  if (s & asInvisible) out |= STATE_SYSTEM_INVISIBLE;
  return out;
}

bool NavOf(long dir, AccessibleNav& nav) {
  switch (dir) {
    case NAVDIR_UP:
      nav = AccessibleNav::Up;
      return true;
    case NAVDIR_DOWN:
      nav = AccessibleNav::Down;
      return true;
    case NAVDIR_LEFT:
      nav = AccessibleNav::Left;
      return true;
    case NAVDIR_RIGHT:
      nav = AccessibleNav::Right;
      return true;
    case NAVDIR_NEXT:
      nav = AccessibleNav::Next;
      return true;
    case NAVDIR_PREVIOUS:
      nav = AccessibleNav::Previous;
      return true;
    case NAVDIR_FIRSTCHILD:
      nav = AccessibleNav::FirstChild;
      return true;
    case NAVDIR_LASTCHILD:
      nav = AccessibleNav::LastChild;
      return true;
    default:
      return false;
  }
}

// Whether a click could reach the window now: not while its top-level window is disabled, as it
// is under the program's message boxes. A default action is refused then, as a click would be,
// so that it never runs inside a handler that waits on a box.
bool Reachable(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  return IsWindowEnabled(window) && (!top || IsWindowEnabled(top));
}

HRESULT Text(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                           static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

// One part of a control, as a COM object. It holds the host, never the model itself, so that a
// screen reader that keeps it past the window's end gets "disconnected" rather than a crash.
class AccessiblePart : public IAccessible {
 public:
  AccessiblePart(std::shared_ptr<AccessibleHost> host, AccessibleId id)
      : host_(std::move(host)), id_(id) {}
  virtual ~AccessiblePart() = default;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: clients call the IAccessible methods themselves; no type information is given.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      if (id_ == kAccessibleSelf)  // the window's own object is the control's parent
        return AccessibleObjectFromWindow(host_->Window(), static_cast<DWORD>(OBJID_WINDOW),
                                          __uuidof(IDispatch), reinterpret_cast<void**>(out));
      const AccessibleId parent = tree.Parent(id_);
      if (parent == kAccessibleNone) return S_FALSE;
      *out = new AccessiblePart(host_, parent);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      *out = tree.ChildCount(id_);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      const AccessibleId id = Resolve(tree, child);
      if (id == kAccessibleNone) return E_INVALIDARG;
      if (id == id_ || tree.ChildCount(id) == 0) return S_FALSE;  // a simple element
      *out = new AccessiblePart(host_, id);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Ask(child, [&](AccessibleTree& t, AccessibleId id) { return Text(t.Name(id), out); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Ask(child, [&](AccessibleTree& t, AccessibleId id) { return Text(t.Value(id), out); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Ask(child,
               [&](AccessibleTree& t, AccessibleId id) { return Text(t.Description(id), out); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    return Ask(child, [&](AccessibleTree& t, AccessibleId id) -> HRESULT {
      if (!out) return E_POINTER;
      out->vt = VT_I4;
      out->lVal = RoleOf(t.Role(id));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    return Ask(child, [&](AccessibleTree& t, AccessibleId id) -> HRESULT {
      if (!out) return E_POINTER;
      out->vt = VT_I4;
      out->lVal = StatesOf(t.State(id));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = -1;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      VariantInit(out);
      const AccessibleId focus = tree.Focus();
      if (focus == kAccessibleNone || !Within(tree, focus)) return S_FALSE;
      return Answer(tree, focus, out);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      VariantInit(out);
      // The controls served here select one part at a time.
      const std::vector<AccessibleId> selected = tree.Selection(id_);
      if (selected.empty()) return S_FALSE;
      return Answer(tree, selected.front(), out);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Ask(child,
               [&](AccessibleTree& t, AccessibleId id) { return Text(t.DefaultAction(id), out); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h,
                                        VARIANT child) override {
    return Ask(child, [&](AccessibleTree& t, AccessibleId id) -> HRESULT {
      if (!x || !y || !w || !h) return E_POINTER;
      const TRect r = t.Location(id);
      // Client coordinates of the window, as it lays itself out at its display's density.
      POINT corner{r.Left, r.Top};
      ClientToScreen(host_->Window(), &corner);
      *x = corner.x;
      *y = corner.y;
      *w = r.Width();
      *h = r.Height();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      VariantInit(out);
      AccessibleNav nav;
      if (!NavOf(dir, nav)) return E_INVALIDARG;
      const AccessibleId from = Resolve(tree, start);
      if (from == kAccessibleNone) return E_INVALIDARG;
      // A part's first and last child are asked of the object itself.
      if ((nav == AccessibleNav::FirstChild || nav == AccessibleNav::LastChild) && from != id_)
        return E_INVALIDARG;
      const AccessibleId to = tree.Navigate(from, nav);
      if (to == kAccessibleNone) return S_FALSE;
      if (!Within(tree, to)) {
        // A sibling of this object's own part: only an object can name it.
        out->vt = VT_DISPATCH;
        out->pdispVal = new AccessiblePart(host_, to);
        return S_OK;
      }
      return Answer(tree, to, out);
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      if (!out) return E_POINTER;
      VariantInit(out);
      POINT p{x, y};
      ScreenToClient(host_->Window(), &p);
      const AccessibleId hit = tree.HitTest({p.x, p.y});
      if (hit == kAccessibleNone || !Within(tree, hit)) return S_FALSE;
      return Answer(tree, hit, out);
    });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Ask(child, [&](AccessibleTree& t, AccessibleId id) -> HRESULT {
      if (t.DefaultAction(id).empty()) return DISP_E_MEMBERNOTFOUND;
      if (!Reachable(host_->Window())) return E_FAIL;
      // Carried out by the window's own message loop, as a click would be: the client's call
      // returns at once rather than waiting for whatever the action starts.
      PostMessageW(host_->Window(), AccessibleHost::ActionMessage(), static_cast<WPARAM>(id), 0);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // Runs a call against the model; no error leaves through the system's call.
  template <class F>
  HRESULT Guard(F&& call) {
    AccessibleTree* tree = host_->Tree();
    if (!tree || !IsWindow(host_->Window()) || !tree->Exists(id_)) return RPC_E_DISCONNECTED;
    try {
      return call(*tree);
    } catch (...) {
      return E_FAIL;
    }
  }
  template <class F>
  HRESULT Ask(VARIANT child, F&& call) {
    return Guard([&](AccessibleTree& tree) -> HRESULT {
      const AccessibleId id = Resolve(tree, child);
      if (id == kAccessibleNone) return E_INVALIDARG;
      return call(tree, id);
    });
  }

  // The part a child id names: 0 this part, 1 … n its children, above that a deeper part.
  AccessibleId Resolve(const AccessibleTree& tree, const VARIANT& child) const {
    long value;
    if (child.vt == VT_I4)
      value = child.lVal;
    else if (child.vt == VT_I2)
      value = child.iVal;
    else if (child.vt == VT_INT)
      value = child.intVal;
    else
      return kAccessibleNone;
    if (value == CHILDID_SELF) return id_;
    if (value > 0 && value <= tree.ChildCount(id_)) return tree.Child(id_, value - 1);
    const AccessibleId id = static_cast<AccessibleId>(value);
    return tree.Exists(id) && Within(tree, id) ? id : kAccessibleNone;
  }
  // Whether a part is this object's part or lies below it.
  bool Within(const AccessibleTree& tree, AccessibleId id) const {
    for (AccessibleId p = id; p != kAccessibleNone; p = tree.Parent(p))
      if (p == id_) return true;
    return false;
  }
  // A part below this one as a client takes it: an object when it has children, else its
  // child id.
  HRESULT Answer(const AccessibleTree& tree, AccessibleId id, VARIANT* out) {
    if (id != id_ && tree.ChildCount(id) > 0) {
      out->vt = VT_DISPATCH;
      out->pdispVal = new AccessiblePart(host_, id);
      return S_OK;
    }
    out->vt = VT_I4;
    out->lVal = id == id_                ? CHILDID_SELF
                : tree.Parent(id) == id_ ? tree.IndexInParent(id) + 1
                                         : static_cast<long>(id);
    return S_OK;
  }

  std::shared_ptr<AccessibleHost> host_;
  AccessibleId id_;
  LONG refs_ = 1;
};

}  // namespace

AccessibleHost::AccessibleHost(HWND window, AccessibleTree& tree, Dispatcher dispatch)
    : window_(window), tree_(&tree), dispatch_(std::move(dispatch)) {}

void AccessibleHost::Dispatch(const std::function<void()>& action) const {
  if (dispatch_)
    dispatch_(action);
  else
    action();
}

UINT AccessibleHost::ActionMessage() {
  static const UINT message = RegisterWindowMessageW(L"ZvAccessibleDefaultAction");
  return message;
}

bool AnswerAccessibleMessage(const std::shared_ptr<AccessibleHost>& host, UINT msg, WPARAM wp,
                             LPARAM lp, LRESULT& result) {
  if (msg == WM_GETOBJECT) {
    // lParam is a 32-bit object id, sign-extended or not depending on the caller.
    if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT || !host->Tree()) return false;
    auto* root = new AccessiblePart(host, kAccessibleSelf);
    result = LresultFromObject(__uuidof(IAccessible), wp, root);
    root->Release();  // LresultFromObject holds its own reference
    return true;
  }
  if (msg == AccessibleHost::ActionMessage()) {
    result = 0;
    if (AccessibleTree* tree = host->Tree(); tree && Reachable(host->Window())) {
      const auto id = static_cast<AccessibleId>(wp);
      host->Dispatch([tree, id] {
        if (tree->Exists(id)) tree->DoDefaultAction(id);
      });
    }
    return true;
  }
  return false;
}

long ChildIdOf(const AccessibleTree& tree, AccessibleId id) {
  if (id == kAccessibleSelf) return CHILDID_SELF;
  if (tree.Parent(id) == kAccessibleSelf) return tree.IndexInParent(id) + 1;
  return static_cast<long>(id);
}

void RaiseAccessibleEvent(const AccessibleHost& host, AccessibleEvent event, AccessibleId id) {
  const AccessibleTree* tree = host.Tree();
  if (!tree || id == kAccessibleNone) return;
  DWORD code = EVENT_OBJECT_FOCUS;
  switch (event) {
    case AccessibleEvent::Focus:
      code = EVENT_OBJECT_FOCUS;
      break;
    case AccessibleEvent::Selection:
      code = EVENT_OBJECT_SELECTION;
      break;
    case AccessibleEvent::StateChange:
      code = EVENT_OBJECT_STATECHANGE;
      break;
    case AccessibleEvent::Reorder:
      code = EVENT_OBJECT_REORDER;
      break;
  }
  NotifyWinEvent(code, host.Window(), OBJID_CLIENT, ChildIdOf(*tree, id));
}

}  // namespace zv
