#pragma once
// The main window on real windows, served by the simulated phone: created, shown and pumped for
// a moment, as the program starts it. Shared by the tests of its layout and of its scaling.
// clang-format off
#include <windows.h>
// clang-format on
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/win32/program.h"
#include "form_fixture.h"
#include "testing/sim_phone.h"
#include "ui/win32/backend.h"

namespace zv {

inline HWND Hwnd(const TControl& c) { return static_cast<HWND>(c.Peer()->NativeHandle()); }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgramPeers(backend);
    ConnectPlatform(*fx.Form1);
    backend.CreateHandle(*fx.Form1);
    fx.Create();
    backend.CreateHandle(*fx.Form3);
    fx.Form1->Show();
    Pump(std::chrono::milliseconds(50));
  }
  void TearDown() override {
    fx.Form1.reset();  // windows and timers go before the backend
    fx.Form3.reset();
  }
  void Pump(std::chrono::milliseconds d) {
    const auto end = std::chrono::steady_clock::now() + d;
    do {
      backend.ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
  }
  TRect RectInForm(const TControl& c) {
    RECT r;
    GetWindowRect(Hwnd(c), &r);
    MapWindowPoints(HWND_DESKTOP, Hwnd(*fx.Form1), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
  TRect Client() {
    RECT r;
    GetClientRect(Hwnd(*fx.Form1), &r);
    return {r.left, r.top, r.right, r.bottom};
  }

  SimPhone phone;
  FormFixture fx{phone.Api()};
  Win32Backend backend{fx.App, GetModuleHandleW(nullptr)};
};

}  // namespace zv
