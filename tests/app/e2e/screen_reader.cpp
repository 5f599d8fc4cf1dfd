// zv_screen_reader.exe: asks windows of another process what they say to a screen reader, the way
// a reader asks (AccessibleObjectFromWindow on the window's client object, then the IAccessible
// calls through the system's cross-process proxy). The screen reader tests start it beside the
// running program and read what it wrote.
//
//   zv_screen_reader <out file> describe <hwnd>...   one line per window: role, state, name
//   zv_screen_reader <out file> children <hwnd>      one line per child object: role, name
//   zv_screen_reader <out file> press <hwnd>         the object's default action; the result
//
// Lines are UTF-8, fields separated by tabs: "<role>\t<state hex>\t<name>" (children: "<role>\t
// <name>"); a call that fails writes "error\t<hresult hex>". Window handles are decimal.
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text, int length) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Hex(long value) {
  char buf[16];
  std::snprintf(buf, sizeof(buf), "%lx", static_cast<unsigned long>(value));
  return buf;
}

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::string Name(IAccessible* object, long id) {
  BSTR name = nullptr;
  std::string out;
  if (object->get_accName(Child(id), &name) == S_OK && name)
    out = Utf8(name, int(SysStringLen(name)));
  SysFreeString(name);
  return out;
}

std::string Role(IAccessible* object, long id) {
  VARIANT role;
  VariantInit(&role);
  const HRESULT hr = object->get_accRole(Child(id), &role);
  if (FAILED(hr)) return "error " + Hex(hr);
  const std::string out = role.vt == VT_I4 ? std::to_string(role.lVal) : "?";
  VariantClear(&role);
  return out;
}

std::string State(IAccessible* object, long id) {
  VARIANT state;
  VariantInit(&state);
  if (FAILED(object->get_accState(Child(id), &state)) || state.vt != VT_I4) return "?";
  return Hex(state.lVal);
}

IAccessible* ClientObject(HWND hwnd, HRESULT& hr) {
  IAccessible* object = nullptr;
  // __uuidof: in a static link the name IID_IAccessible is oleacc's import entry, not the GUID.
  hr = AccessibleObjectFromWindow(hwnd, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                  reinterpret_cast<void**>(&object));
  return SUCCEEDED(hr) ? object : nullptr;
}

HWND HandleArg(const wchar_t* text) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(text, nullptr, 10)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  FILE* out = _wfopen(argv[1], L"wb");
  if (!out) return 2;
  CoInitialize(nullptr);
  const std::wstring command = argv[2];
  for (int i = 3; i < argc; ++i) {
    HRESULT hr = S_OK;
    IAccessible* object = ClientObject(HandleArg(argv[i]), hr);
    std::string line;
    if (!object) {
      line = "error\t" + Hex(hr) + "\n";
    } else if (command == L"describe") {
      line = Role(object, CHILDID_SELF) + "\t" + State(object, CHILDID_SELF) + "\t" +
             Name(object, CHILDID_SELF) + "\n";
    } else if (command == L"children") {
      long count = 0;
      object->get_accChildCount(&count);
      for (long id = 1; id <= count; ++id)
        line += Role(object, id) + "\t" + Name(object, id) + "\n";
    } else if (command == L"press") {
      line = Hex(object->accDoDefaultAction(Child(CHILDID_SELF))) + "\n";
    }
    if (object) object->Release();
    std::fputs(line.c_str(), out);
  }
  std::fclose(out);
  CoUninitialize();
  return 0;
}
