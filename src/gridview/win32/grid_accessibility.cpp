// The grid's window and its screen-reader object: a subclass of the window that answers
// WM_GETOBJECT and the posted default actions, and the grid's events turned into win events.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
// clang-format on

#include "gridview/win32/grid_accessibility.h"

#include <memory>

#include "gridview/grid_accessible.h"
#include "ui/win32/accessible_object.h"
#include "ui/win32/backend.h"

namespace zv {

namespace {

constexpr UINT_PTR kAccessSubclassId = 0x6761;  // one subclass per grid window

// Default actions run through the application's dispatch place, as the window's messages do.
AccessibleHost::Dispatcher DispatcherOf(HWND hwnd) {
  return [hwnd](const std::function<void()>& action) {
    if (Win32Peer* peer = Win32Peer::FromHandle(hwnd))
      peer->Backend().Dispatch(action);
    else
      action();
  };
}

// What one grid window needs while it lives; owned by its subclass, freed with the window.
struct GridAccess {
  GridAccess(TGridView& grid, HWND hwnd)
      : grid(grid),
        model(grid),
        host(std::make_shared<AccessibleHost>(hwnd, model, DispatcherOf(hwnd))),
        // Handing the object to another process marshals it through COM, which the window's
        // thread must have joined; the folder dialog joins and leaves it in its own turn.
        comJoined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~GridAccess() {
    host->Disconnect();
    if (comJoined) CoUninitialize();
  }
  TGridView& grid;
  TGridAccessible model;
  std::shared_ptr<AccessibleHost> host;
  bool comJoined;
};

LRESULT CALLBACK AccessProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                            DWORD_PTR data) {
  auto* access = reinterpret_cast<GridAccess*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, AccessProc, id);
    access->grid.AccessibleEvents = nullptr;
    delete access;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  LRESULT result = 0;
  if (AnswerAccessibleMessage(access->host, msg, wp, lp, result)) return result;
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void Attach(TGridView& grid, HWND hwnd) {
  auto* access = new GridAccess(grid, hwnd);
  SetWindowSubclass(hwnd, AccessProc, kAccessSubclassId, reinterpret_cast<DWORD_PTR>(access));
  std::weak_ptr<AccessibleHost> host = access->host;
  grid.AccessibleEvents = [host](AccessibleEvent event, AccessibleId id) {
    if (auto h = host.lock()) RaiseAccessibleEvent(*h, event, id);
  };
}

}  // namespace

void UseGridAccessibility(TGridView& grid) {
  auto previous = grid.PlatformWindowCreated;
  grid.PlatformWindowCreated = [&grid, previous](void* handle) {
    if (previous) previous(handle);
    Attach(grid, static_cast<HWND>(handle));
  };
}

}  // namespace zv
