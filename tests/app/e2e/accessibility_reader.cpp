// A second process that reads a window's accessible object as a screen reader does
// (AccessibleObjectFromWindow, then the IAccessible calls across the process boundary) and prints
// what it heard, one line per part, in UTF-8:
//
//   accessibility_reader <hwnd> tree            the control, its children and their children,
//                                               and the part with the focus
//   accessibility_reader <hwnd> action <c> <k>  the default action of child k of child c
//   accessibility_reader <hwnd> location <c>    accLocation of child c (screen coordinates)
//
// Lines: "<path> role=<n> state=<hex> name=<text>", "focus ...", "location x y w h",
// "action <hresult>". The end-to-end test starts it and compares.
// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (!text || length <= 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
  return out;
}

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// "role=.. state=.. name=.." of one part of an object.
std::string Describe(IAccessible* object, long id) {
  const VARIANT child = Child(id);
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  object->get_accRole(child, &role);
  object->get_accState(child, &state);
  BSTR name = nullptr;
  object->get_accName(child, &name);
  char head[64];
  std::snprintf(head, sizeof head, "role=%ld state=%lx name=", role.vt == VT_I4 ? role.lVal : -1,
                state.vt == VT_I4 ? state.lVal : 0L);
  std::string line = head + (name ? Utf8(name, static_cast<int>(SysStringLen(name))) : "");
  SysFreeString(name);
  return line;
}

// The object of child `id`, or nullptr when it is a simple element.
IAccessible* ChildObject(IAccessible* parent, long id) {
  IDispatch* dispatch = nullptr;
  if (parent->get_accChild(Child(id), &dispatch) != S_OK || !dispatch) return nullptr;
  IAccessible* object = nullptr;
  dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
  dispatch->Release();
  return object;
}

void PrintTree(IAccessible* root) {
  BSTR description = nullptr;
  root->get_accDescription(Child(CHILDID_SELF), &description);
  long count = 0;
  root->get_accChildCount(&count);
  std::printf("root %s children=%ld description=%s\n", Describe(root, CHILDID_SELF).c_str(), count,
              description ? Utf8(description, int(SysStringLen(description))).c_str() : "");
  SysFreeString(description);
  for (long c = 1; c <= count; ++c) {
    IAccessible* row = ChildObject(root, c);
    if (!row) {
      std::printf("%ld %s\n", c, Describe(root, c).c_str());
      continue;
    }
    std::printf("%ld %s\n", c, Describe(row, CHILDID_SELF).c_str());
    long cells = 0;
    row->get_accChildCount(&cells);
    for (long k = 1; k <= cells; ++k) std::printf("%ld.%ld %s\n", c, k, Describe(row, k).c_str());
    row->Release();
  }
  VARIANT focus;
  VariantInit(&focus);
  root->get_accFocus(&focus);
  if (focus.vt == VT_I4) {
    std::printf("focus %s\n", Describe(root, focus.lVal).c_str());
  } else if (focus.vt == VT_DISPATCH && focus.pdispVal) {
    IAccessible* object = nullptr;
    focus.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (object) std::printf("focus %s\n", Describe(object, CHILDID_SELF).c_str());
    if (object) object->Release();
  } else {
    std::printf("focus none\n");
  }
  VariantClear(&focus);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 10)));
  IAccessible* root = nullptr;
  const HRESULT hr =
      AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&root));
  if (FAILED(hr) || !root) {
    std::printf("error %lx\n", static_cast<unsigned long>(hr));
    return 1;
  }
  const std::wstring command = argv[2];
  if (command == L"tree") {
    PrintTree(root);
  } else if (command == L"action" && argc >= 5) {
    HRESULT result = E_FAIL;
    if (IAccessible* row = ChildObject(root, std::wcstol(argv[3], nullptr, 10))) {
      result = row->accDoDefaultAction(Child(std::wcstol(argv[4], nullptr, 10)));
      row->Release();
    }
    std::printf("action %lx\n", static_cast<unsigned long>(result));
  } else if (command == L"location" && argc >= 4) {
    long x = 0, y = 0, w = 0, h = 0;
    root->accLocation(&x, &y, &w, &h, Child(std::wcstol(argv[3], nullptr, 10)));
    std::printf("location %ld %ld %ld %ld\n", x, y, w, h);
  }
  root->Release();
  CoUninitialize();
  std::fflush(stdout);
  return 0;
}
