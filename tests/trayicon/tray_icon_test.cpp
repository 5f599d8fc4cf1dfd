// The busy indicator against the headless notification area: showing and hiding, the frame
// sequence, the record, the pacing thread, the callback message and destruction.
#include "trayicon/tray_icon.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "trayicon/fake_notify_area.h"
#include "trayicon/main_tray_icon.h"

namespace zv {
namespace {

using namespace std::chrono_literals;
using Op = FakeNotifyArea::Op;

// An interval so long that the pacing thread never steps during a test: frames move only when
// the test calls NextFrame.
constexpr std::uint16_t kNever = 65535;
// A deadline for waits that should end much sooner; reaching it is a failure, not a timing.
constexpr auto kPatience = 10s;

TIcon Frame(std::uint8_t tag) {
  std::vector<std::uint8_t> bytes = {0, 0, 1, 0, 1, 0,  16, 16, 0, 0,   1,   0,   8,
                                     0, 4, 0, 0, 0, 22, 0,  0,  0, tag, tag, tag, tag};
  return TIcon::FromBytes(bytes);
}

TIconList Frames(int count) {
  TIconList list;
  for (int i = 0; i < count; ++i) list.Add(Frame(static_cast<std::uint8_t>(i)));
  return list;
}

// Index of an icon in the component's list; -1 for none, -2 for the single Icon.
int IndexOf(const TTrayIcon& tray, const TIcon* icon) {
  if (icon == nullptr) return -1;
  if (icon == &tray.Icon()) return -2;
  for (int i = 0; i < tray.Icons().Count(); ++i) {
    if (&tray.Icons()[i] == icon) return i;
  }
  return -3;
}

// The frames that reached the area through add and modify requests, in order.
std::vector<int> ShownFrames(const TTrayIcon& tray, const FakeNotifyArea& area) {
  std::vector<int> frames;
  for (const auto& call : area.Calls()) {
    if (call.op != Op::Delete) frames.push_back(IndexOf(tray, call.data.Icon));
  }
  return frames;
}

// An animated indicator as the main window sets it up, with frames that only move on request.
struct Animated15 {
  FakeNotifyArea area;
  TTrayIcon tray{area};
  explicit Animated15(std::uint16_t interval = kNever) {
    tray.SetActive(false);
    tray.SetIcons(Frames(15));
    tray.SetAnimated(true);
    tray.SetInterval(interval);
    tray.Loaded();
    area.ClearCalls();
  }
};

TEST(TTrayIcon, MainWindowValues) {
  FakeNotifyArea area;
  auto tray = CreateMainTrayIcon(area);
  EXPECT_FALSE(tray->Active());
  EXPECT_TRUE(tray->Enabled());
  EXPECT_TRUE(tray->Animated());
  EXPECT_EQ(50, tray->Interval());
  EXPECT_EQ(15, tray->Icons().Count());
  EXPECT_TRUE(tray->Icon().Empty());
  EXPECT_EQ("", tray->Hint());
  EXPECT_EQ(0, tray->FrameIndex());
  EXPECT_EQ(nullptr, tray->PopupMenu());
  // Loading only asked for a removal (Active false); nothing is shown.
  EXPECT_EQ(0, area.CountOf(Op::Add));
  EXPECT_FALSE(area.Present());

  FakeNotifyArea area2;
  TTrayIcon fresh(area2);  // defaults at creation
  EXPECT_TRUE(fresh.Active());
  EXPECT_FALSE(fresh.Animated());
  EXPECT_EQ(150, fresh.Interval());
  EXPECT_EQ(-1, fresh.FrameIndex());
}

TEST(TTrayIcon, ShowingTwicePlacesOnceAndKeepsTheFrame) {
  Animated15 t;
  t.tray.SetActive(true);
  t.tray.NextFrame();
  t.tray.NextFrame();
  t.tray.SetActive(true);
  EXPECT_EQ(1, t.area.CountOf(Op::Add));
  EXPECT_EQ(1, t.area.CountOf(Op::Delete));  // only PlaceIcon's own removal
  EXPECT_EQ(2, t.tray.FrameIndex());
  EXPECT_TRUE(t.area.Present());
}

TEST(TTrayIcon, FirstShowGivesFrameZeroThenEachFrameInTurn) {
  Animated15 t;
  t.tray.SetActive(true);
  for (int i = 0; i < 15; ++i) t.tray.NextFrame();
  // Add and the modify that follows an empty tip, then frames 1 ... 14 and 0 again.
  const std::vector<int> expected = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0};
  EXPECT_EQ(expected, ShownFrames(t.tray, t.area));
}

TEST(TTrayIcon, HideAndShowResumesTheFrame) {
  Animated15 t;
  t.tray.SetActive(true);
  for (int i = 0; i < 6; ++i) t.tray.NextFrame();
  t.tray.SetActive(false);
  EXPECT_FALSE(t.area.Present());
  EXPECT_FALSE(t.tray.Shown());
  t.area.ClearCalls();
  t.tray.SetActive(true);
  EXPECT_EQ(6, IndexOf(t.tray, t.area.PresentIcon()));
  t.tray.NextFrame();
  EXPECT_EQ(7, IndexOf(t.tray, t.area.PresentIcon()));
}

TEST(TTrayIcon, RecordAndTip) {
  struct Case {
    std::string hint, tip;
    std::vector<Op> requests;  // on show
  };
  const std::string long_hint(70, 'x');
  const std::string emoji = "\xF0\x9F\x98\x80";  // one character, two UTF-16 units
  const std::vector<Case> cases = {
      {"", "", {Op::Delete, Op::Add, Op::Modify}},  // an empty tip: add, then modify
      {"Busy", "Busy", {Op::Delete, Op::Add}},
      {"Short|Long text", "Short", {Op::Delete, Op::Add}},
      {"|only long", "", {Op::Delete, Op::Add, Op::Modify}},
      {long_hint, long_hint.substr(0, 63), {Op::Delete, Op::Add}},
      {std::string(62, 'a') + emoji, std::string(62, 'a'), {Op::Delete, Op::Add}},
      {std::string(61, 'a') + emoji + "b", std::string(61, 'a') + emoji, {Op::Delete, Op::Add}},
      {"Связь с телефоном", "Связь с телефоном", {Op::Delete, Op::Add}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hint);
    FakeNotifyArea area(0xBEEF);
    TTrayIcon tray(area);
    tray.SetActive(false);
    tray.SetHint(c.hint);
    tray.SetIcon(Frame(1));
    area.ClearCalls();
    tray.SetActive(true);
    const auto calls = area.Calls();
    ASSERT_EQ(c.requests.size(), calls.size());
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(c.requests[i], calls[i].op);
    const NotifyIconData& added = calls[1].data;
    EXPECT_EQ(0xBEEFu, added.Window);
    EXPECT_EQ(0u, added.Id);
    EXPECT_EQ(7u, added.Flags);
    EXPECT_EQ(0xB054u, added.CallbackMessage);
    EXPECT_EQ(&tray.Icon(), added.Icon);
    EXPECT_EQ(c.tip, added.Tip);
    if (calls.size() == 3) {
      EXPECT_EQ(added.Tip, calls[2].data.Tip);
    }
  }
}

TEST(TTrayIcon, WithoutIconsNothingIsAnimatedOrShown) {
  FakeNotifyArea area;
  TTrayIcon tray(area);
  tray.SetActive(false);
  tray.SetAnimated(true);
  EXPECT_FALSE(tray.Animated());
  EXPECT_EQ(nullptr, tray.ShownIcon());
  tray.SetActive(true);
  EXPECT_EQ(0, area.CountOf(Op::Add));
  EXPECT_FALSE(tray.Shown());
  // With a single Icon it is that icon that is shown.
  tray.SetIcon(Frame(9));
  EXPECT_TRUE(area.Present());
  EXPECT_EQ(&tray.Icon(), area.PresentIcon());
}

TEST(TTrayIcon, RemovingTheFramesStopsTheAnimation) {
  Animated15 t;
  t.tray.SetActive(true);
  t.tray.NextFrame();
  t.tray.SetIcons(TIconList{});
  EXPECT_FALSE(t.tray.Animated());
  EXPECT_EQ(0, t.tray.FrameIndex());
  EXPECT_FALSE(t.area.Present());  // Icon is empty as well
  // A frame list that shrinks below the current frame shows its last frame.
  Animated15 u;
  u.tray.SetActive(true);
  for (int i = 0; i < 10; ++i) u.tray.NextFrame();
  u.tray.SetIcons(Frames(4));
  EXPECT_EQ(3, IndexOf(u.tray, u.area.PresentIcon()));
  u.tray.NextFrame();
  EXPECT_EQ(0, IndexOf(u.tray, u.area.PresentIcon()));
}

TEST(TTrayIcon, AFrameWithoutImageRemovesTheIcon) {
  FakeNotifyArea area;
  TTrayIcon tray(area);
  tray.SetActive(false);
  TIconList list = Frames(3);
  list.Replace(1, TIcon{});
  tray.SetIcons(list);
  tray.SetAnimated(true);
  tray.SetInterval(kNever);
  tray.SetActive(true);
  EXPECT_TRUE(area.Present());
  tray.NextFrame();
  EXPECT_FALSE(area.Present());
  EXPECT_FALSE(tray.Shown());
}

TEST(TTrayIcon, RefusedAddStaysAbsentUntilTheAreaIsBack) {
  Animated15 t(1);
  t.area.SetAddResult(false);
  t.tray.SetActive(true);
  EXPECT_FALSE(t.tray.Shown());
  EXPECT_EQ(0, t.area.CountOf(Op::Modify));  // no modify after a refused add
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(0, t.tray.FrameIndex());  // nothing advances while hidden
  t.area.SetAddResult(true);
  t.area.SendTaskbarCreated();
  EXPECT_TRUE(t.tray.Shown());
  EXPECT_TRUE(t.area.Present());
}

TEST(TTrayIcon, TaskbarCreatedPutsAShownIconBack) {
  Animated15 t;
  t.tray.SetActive(true);
  t.area.SendTaskbarCreated();
  EXPECT_TRUE(t.area.Present());
  EXPECT_EQ(2, t.area.CountOf(Op::Add));
  t.tray.SetActive(false);
  t.area.SendTaskbarCreated();  // hidden: stays hidden
  EXPECT_FALSE(t.area.Present());
  EXPECT_EQ(2, t.area.CountOf(Op::Add));
}

TEST(TTrayIcon, PacingThreadShowsEveryFrameInTurn) {
  Animated15 t(1);
  t.tray.SetActive(true);
  ASSERT_TRUE(t.area.WaitForCalls(2 + 15, kPatience));  // delete, add, modify, 14 frames
  t.tray.SetActive(false);
  std::vector<int> frames = ShownFrames(t.tray, t.area);
  frames.resize(17);
  const std::vector<int> expected = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0};
  EXPECT_EQ(expected, frames);
}

TEST(TTrayIcon, FramesKeepComingWhileTheCallingThreadIsBlocked) {
  Animated15 t(50);
  t.tray.SetActive(true);
  t.area.ClearCalls();
  std::this_thread::sleep_for(1s);  // as a phone call blocks the window thread
  const int shown = t.area.CountOf(Op::Modify);
  EXPECT_GE(shown, 5);
  EXPECT_LE(shown, 25);  // one per Interval, not a flood

  t.tray.SetActive(false);
  const int frame = t.tray.FrameIndex();
  t.area.ClearCalls();
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(t.area.Calls().empty());  // hidden: no frame at all
  EXPECT_EQ(frame, t.tray.FrameIndex());
}

TEST(TTrayIcon, DestructionRemovesTheIconAndEndsThePacing) {
  for (std::uint16_t interval : {0, 1, 50}) {
    SCOPED_TRACE(interval);
    FakeNotifyArea area;
    {
      auto tray = CreateMainTrayIcon(area);
      tray->SetInterval(interval);
      tray->SetActive(true);
      std::this_thread::sleep_for(20ms);
    }
    const auto calls = area.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(Op::Delete, calls.back().op);
    EXPECT_FALSE(area.Present());
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(calls.size(), area.Calls().size());  // nothing after the component is gone
  }
}

TEST(TTrayIcon, SwitchingAnimationOffStopsAtFrameZero) {
  Animated15 t(1);
  t.tray.SetActive(true);
  ASSERT_TRUE(t.area.WaitForCalls(8, kPatience));
  t.tray.SetAnimated(false);
  EXPECT_EQ(0, t.tray.FrameIndex());
  EXPECT_FALSE(t.area.Present());  // no single Icon to fall back on
  t.area.ClearCalls();
  std::this_thread::sleep_for(50ms);
  EXPECT_TRUE(t.area.Calls().empty());
  t.tray.SetIcon(Frame(99));  // not animated: the single Icon is shown
  EXPECT_EQ(&t.tray.Icon(), t.area.PresentIcon());
}

// Records the component's mouse events.
struct MouseLog {
  std::vector<std::string> events;
  void Attach(TTrayIcon& tray) {
    tray.OnClick = [this, &tray](TObject* sender) {
      EXPECT_EQ(&tray, sender);
      events.push_back("click");
    };
    tray.OnDblClick = [this](TObject*) { events.push_back("dblclick"); };
    tray.OnMouseMove = [this](TObject*, TShiftState shift, int x, int y) {
      events.push_back("move " + std::to_string(x) + "," + std::to_string(y) + " " +
                       std::to_string(shift));
    };
    tray.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState shift, int, int) {
      events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(shift));
    };
    tray.OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      events.push_back("up " + std::to_string(int(b)));
    };
  }
};

struct FakeMenu : TPopupMenu {
  std::vector<TPoint> popups;
  void Popup(int x, int y) override { popups.push_back({x, y}); }
};

TEST(TTrayIcon, CallbackMessageBecomesMouseEvents) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> messages;
    std::vector<std::string> events;
    int popups;
  };
  const std::vector<Case> cases = {
      {"move", {kWmMouseMove}, {"move 7,8 1"}, 0},
      {"left click", {kWmLButtonDown, kWmLButtonUp}, {"down 0 1", "click", "up 0"}, 0},
      {"left up alone", {kWmLButtonUp}, {"up 0"}, 0},
      {"double click", {kWmLButtonDblClk}, {"dblclick", "down 0 65"}, 0},
      {"right click pops up", {kWmRButtonDown, kWmRButtonUp}, {"down 1 1", "up 1"}, 1},
      {"right up alone", {kWmRButtonUp}, {"up 1"}, 0},
      {"middle", {kWmMButtonDown, kWmMButtonUp}, {"down 2 1", "up 2"}, 0},
      {"unknown", {0x0400}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeNotifyArea area;
    TTrayIcon tray(area);
    MouseLog log;
    log.Attach(tray);
    FakeMenu menu;
    tray.SetPopupMenu(&menu);
    for (std::uint32_t m : c.messages) area.SendCallback(m, {7, 8}, ssShift);
    EXPECT_EQ(c.events, log.events);
    EXPECT_EQ(c.popups, std::ssize(menu.popups));
  }
}

TEST(TTrayIcon, CallbackIgnoredWhileDisabledAndButtonsForgottenWhenPlaced) {
  Animated15 t;
  MouseLog log;
  log.Attach(t.tray);
  t.tray.SetEnabled(false);
  t.area.SendCallback(kWmLButtonDown);
  t.area.SendCallback(kWmLButtonUp);
  EXPECT_TRUE(log.events.empty());

  t.tray.SetEnabled(true);
  t.area.SendCallback(kWmLButtonDown);
  t.tray.SetActive(true);  // placing the icon clears the remembered buttons
  t.area.SendCallback(kWmLButtonUp);
  EXPECT_EQ((std::vector<std::string>{"down 0 0", "up 0"}), log.events);

  FakeMenu menu;
  menu.AutoPopup = false;
  t.tray.SetPopupMenu(&menu);
  t.area.SendCallback(kWmRButtonDown);
  t.area.SendCallback(kWmRButtonUp);
  EXPECT_TRUE(menu.popups.empty());
}

TEST(TTrayIcon, AHandlerMayHideTheIconFromTheCallback) {
  Animated15 t(1);
  t.tray.SetActive(true);
  t.tray.OnClick = [&t](TObject*) { t.tray.SetActive(false); };
  t.area.SendCallback(kWmLButtonDown);
  t.area.SendCallback(kWmLButtonUp);
  EXPECT_FALSE(t.tray.Active());
  EXPECT_FALSE(t.area.Present());
}

TEST(BusyIndicatorScope, HidesTheIconAlsoWhenTheOperationFails) {
  Animated15 t;
  {
    BusyIndicatorScope busy(t.tray);
    EXPECT_TRUE(t.area.Present());
  }
  EXPECT_FALSE(t.area.Present());
  try {
    BusyIndicatorScope busy(t.tray);
    throw EInOutError("Disk full", 112);
  } catch (const EInOutError&) {
  }
  EXPECT_FALSE(t.tray.Active());
  EXPECT_FALSE(t.area.Present());
}

}  // namespace
}  // namespace zv
