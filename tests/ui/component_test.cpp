// The component layer without a window: anchors, alignment, size limits, state kept in the
// objects, focus and tab order, status panels, timers, and the one dispatch place.
#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/comctrls.h"
#include "ui/custom_control.h"
#include "ui/errors.h"
#include "ui/forms.h"
#include "ui/recording_peer.h"
#include "ui/stdctrls.h"
#include "ui/timer.h"

namespace zv {
namespace {

class Boxes : public MessageBoxes {
 public:
  std::vector<std::string> messages, errors;
  void ShowMessage(const std::string& t) override { messages.push_back(t); }
  void ShowError(const std::string& t) override { errors.push_back(t); }
};

class Probe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int resizes = 0, focusIns = 0, focusOuts = 0;
  void FocusIn() override { ++focusIns; }
  void FocusOut() override { ++focusOuts; }

 protected:
  void Resize() override {
    ++resizes;
    TCustomControl::Resize();
  }
};

TEST(Anchors, KeepDistancesWhenTheParentIsResized) {
  // A 400 × 300 form has a 392 × 266 client area; every control starts at (100, 50, 80 × 20).
  struct Case {
    TAnchors anchors;
    int width, height;  // new outer size of the form
    TRect expected;
  };
  const Case cases[] = {
      {akLeft | akTop, 600, 500, Bounds(100, 50, 80, 20)},
      {akLeft | akTop | akRight | akBottom, 600, 500, Bounds(100, 50, 280, 220)},
      {akRight | akBottom, 600, 500, Bounds(300, 250, 80, 20)},
      {akLeft | akBottom, 600, 500, Bounds(100, 250, 80, 20)},
      {akLeft | akRight | akBottom, 450, 280, Bounds(100, 30, 130, 20)},
      {akLeft | akRight, 200, 300, Bounds(100, 50, 0, 20)},  // width floors at 0
      {akTop, 500, 300, Bounds(150, 50, 80, 20)},            // neither side: stays centred
  };
  for (const auto& c : cases) {
    TForm form(nullptr, "F");
    form.SetBounds(0, 0, 400, 300);
    TButton b(&form, "B");
    b.SetParent(&form);
    b.SetBounds(100, 50, 80, 20);
    b.SetAnchors(c.anchors);
    form.SetBounds(0, 0, c.width, c.height);
    EXPECT_EQ(b.BoundsRect(), c.expected) << "anchors " << c.anchors << " to " << c.width;
    // Back to the design size: exactly where it was, however far it shrank.
    form.SetBounds(0, 0, 400, 300);
    EXPECT_EQ(b.BoundsRect(), Bounds(100, 50, 80, 20)) << "anchors " << c.anchors;
  }
}

TEST(Anchors, AlignBottomFollowsTheClientArea) {
  TForm form(nullptr, "F");
  form.SetBounds(0, 0, 400, 300);
  TStatusBar bar(&form, "S");
  bar.SetParent(&form);
  bar.SetBounds(0, 0, 10, 22);
  bar.SetAlign(TAlign::alBottom);
  EXPECT_EQ(bar.BoundsRect(), Bounds(0, 244, 392, 22));
  form.SetBounds(0, 0, 500, 400);
  EXPECT_EQ(bar.BoundsRect(), Bounds(0, 344, 492, 22));
}

TEST(FormSize, ConstraintsAreAFloorAndACeiling) {
  TForm form(nullptr, "F");
  form.SetBounds(0, 0, 777, 404);
  form.SetConstraints({.MinWidth = 660, .MinHeight = 220, .MaxWidth = 900, .MaxHeight = 0});
  struct Case {
    int w, h, ew, eh;
  } cases[] = {
      {500, 100, 660, 220}, {700, 219, 700, 220}, {1000, 600, 900, 600}, {660, 220, 660, 220}};
  for (const auto& c : cases) {
    form.SetBounds(10, 20, c.w, c.h);
    EXPECT_EQ(form.BoundsRect(), Bounds(10, 20, c.ew, c.eh)) << c.w << "x" << c.h;
    EXPECT_EQ(form.ClientWidth(), c.ew - TForm::kDesignFrameWidth);
  }
  form.SetClientSize(769, 370);
  EXPECT_EQ(form.Width(), 777);
  EXPECT_EQ(form.Height(), 404);
}

TEST(Controls, HeadlessStateIsKept) {
  TForm form(nullptr, "F");
  TEdit edit(&form, "E");
  int changes = 0;
  edit.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &edit);
    ++changes;
  };
  edit.SetText("Фото");
  edit.SetText("Фото");  // the same text raises nothing
  EXPECT_EQ(changes, 1);
  edit.TextEdited("Фото1");  // what the user typed in the window
  EXPECT_EQ(edit.Text(), "Фото1");
  EXPECT_EQ(changes, 2);
  edit.SetSelection(1, 3);
  edit.SetSelText("");
  EXPECT_EQ(edit.Text(), "Ф1");
  EXPECT_EQ(edit.SelStart(), 1);
  edit.SetSelection(5, 9);  // clamped to the text
  EXPECT_EQ(edit.SelStart(), 2);
  EXPECT_EQ(edit.SelLength(), 0);

  TButton button(&form, "B");
  int clicks = 0;
  button.OnClick = [&](TObject*) { ++clicks; };
  button.Click();
  button.SetEnabled(false);
  button.Click();  // a disabled button does not click
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.Enabled());
  EXPECT_FALSE(button.HandleAllocated());
}

TEST(Controls, HeadlessFocusAndTabOrder) {
  TForm form(nullptr, "F");
  Probe a(&form, "A"), b(&form, "B");
  TLabel label(&form, "L");
  TEdit edit(&form, "E");
  for (TControl* c : std::initializer_list<TControl*>{&a, &b, &label, &edit}) c->SetParent(&form);
  a.SetTabStop(true);
  b.SetTabStop(true);
  a.SetTabOrder(2);
  b.SetTabOrder(0);
  edit.SetTabOrder(1);
  const auto tabs = form.TabList();
  ASSERT_EQ(tabs.size(), 3u);  // the label takes no part
  EXPECT_EQ(tabs[0], &b);
  EXPECT_EQ(tabs[1], &edit);
  EXPECT_EQ(tabs[2], &a);

  a.SetFocus();
  EXPECT_TRUE(a.Focused());
  b.SetFocus();
  EXPECT_FALSE(a.Focused());
  EXPECT_TRUE(b.Focused());
  EXPECT_EQ(a.focusIns, 1);
  EXPECT_EQ(a.focusOuts, 1);
  edit.SetText("abc");
  edit.SetFocus();  // entering the box selects its text
  EXPECT_EQ(edit.SelLength(), 3);
}

TEST(StatusBar, PanelEdgesAndIndexErrors) {
  TStatusBar bar(nullptr, "S");
  for (int w : {180, 120, 100, 50}) bar.Panels.Add().SetWidth(w);
  EXPECT_EQ(bar.PanelEdges(), (std::vector<int>{180, 300, 400, -1}));
  bar.Panels[2].SetText("Фотографий: 3");
  EXPECT_EQ(bar.Panels[2].Text(), "Фотографий: 3");
  try {
    bar.Panels[4].SetText("x");
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (4)");
  }
}

TEST(CustomControl, RequestsReachTheWindowAndSizeChangesComeBack) {
  Probe p(nullptr, "P");
  p.BorderEdge = TBorderEdge::beStatic;
  p.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(p.ClientRect(), (TRect{0, 0, 198, 98}));  // headless: border taken off
  p.InvalidateRect({1, 2, 3, 4});                     // no window: nothing to record

  RecordingCustomPeer& peer = RecordingCustomPeer::Attach(p);
  EXPECT_TRUE(p.HandleAllocated());
  p.InvalidateRect({1, 2, 3, 4});
  p.Invalidate();
  ASSERT_EQ(peer.Invalidated.size(), 2u);
  EXPECT_EQ(peer.Invalidated[0], (TRect{1, 2, 3, 4}));
  EXPECT_FALSE(peer.Invalidated[1].has_value());

  const int before = p.resizes;
  p.SetScrollBar(TScrollBarKind::sbVertical,
                 {.Min = 0, .Max = 9, .Page = 1, .Position = 3, .Visible = true, .Enabled = true});
  EXPECT_EQ(peer.VBar.Max, 9);
  EXPECT_EQ(p.ClientRect().Width(), 198 - RecordingCustomPeer::kScrollBarSize);
  EXPECT_EQ(p.resizes, before + 1);  // the bar took client width
  p.SetBounds(0, 0, 300, 100);
  EXPECT_EQ(p.resizes, before + 2);
  p.SetCapture();
  EXPECT_TRUE(p.HasCapture());
  p.SetCursor(TCursor::crHSplit);
  EXPECT_EQ(peer.Cursor, TCursor::crHSplit);
  p.DestroyHandle();
  EXPECT_FALSE(p.HandleAllocated());
  EXPECT_EQ(p.ScrollBar(TScrollBarKind::sbVertical).Position, 3);  // the state stays
}

class CountingTimerPeer : public TimerPeer {
 public:
  explicit CountingTimerPeer(int& n) : n_(n) {}
  void Changed() override { ++n_; }

 private:
  int& n_;
};

TEST(Timer, RunsOnlyEnabledWithIntervalAndHandler) {
  TTimer t(nullptr, "T");
  int ticks = 0, changes = 0;
  EXPECT_FALSE(t.Running());  // no handler yet
  t.AttachPeer(std::make_unique<CountingTimerPeer>(changes));
  t.SetOnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(t.Running());
  t.Tick();
  t.SetEnabled(false);
  t.Tick();  // a stopped timer's late tick raises nothing
  t.SetInterval(0);
  t.SetEnabled(true);
  EXPECT_FALSE(t.Running());
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(changes, 5);  // attach, handler, enabled, interval, enabled
}

TEST(Application, OneDispatchPlaceShowsErrorsWithTheFullStopRule) {
  Boxes boxes;
  TApplication app(boxes);
  struct Case {
    std::function<void()> handler;
    std::string shown;
  };
  const Case cases[] = {
      {[] { throw EInOutError(InOutErrorText(112), 112); }, "Disk full."},
      {[] { throw ListIndexError(7); }, "List index out of bounds (7)"},
      {[] { throw EJPEG("JPEG error #53", 53); }, "JPEG error #53."},
      {[] { throw std::runtime_error("Профиль не определен!"); }, "Профиль не определен!"},
      {[] { throw 42; }, "Неизвестная ошибка."},  // in the window's language
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(app.Dispatch(c.handler));
    ASSERT_FALSE(boxes.errors.empty());
    EXPECT_EQ(boxes.errors.back(), c.shown);
  }
  EXPECT_TRUE(app.Dispatch([] {}));
  EXPECT_EQ(boxes.errors.size(), std::size(cases));
  EXPECT_TRUE(boxes.messages.empty());
}

TEST(Application, ClosingTheMainFormTerminatesClosingAnotherHides) {
  Boxes boxes;
  TApplication app(boxes);
  TForm main(nullptr, "Main"), other(nullptr, "Other");
  app.SetMainForm(main);
  int terminations = 0;
  app.OnTerminate = [&] { ++terminations; };
  other.Show();
  other.Close();
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(app.Terminated());
  main.Show();
  main.Close();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(terminations, 1);
  // A handler may refuse the close.
  TForm stubborn(nullptr, "S");
  stubborn.Show();
  stubborn.OnClose = [](TObject*, TCloseAction& a) { a = TCloseAction::caNone; };
  stubborn.Close();
  EXPECT_TRUE(stubborn.Visible());
}

}  // namespace
}  // namespace zv
