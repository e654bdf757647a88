#include "notice_window.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

TEST(PercentOfTest, RoundsToNearestWithTiesToEven) {
  struct Case {
    int32_t value, percent, expected;
  };
  constexpr Case kCases[] = {
      {800, 40, 320}, {600, 40, 240},  // exact
      {854, 40, 342},                  // 341.6 goes up
      {480, 40, 192},
      {801, 40, 320}, {601, 40, 240},  // 320.4 and 240.4 go down
      {5, 50, 2},     {15, 50, 8},     // 2.5 and 7.5: to the even neighbour
      {1, 50, 0},     {3, 50, 2},
      {-5, 50, -2},   {7, 150, 10},    // -2.5 and 10.5
      {0, 40, 0},     {1920, 100, 1920},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.expected, PercentOf(c.value, c.percent)) << c.value << " at " << c.percent << "%";
}

TEST(PercentOfTest, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(INT32_MAX, PercentOf(INT32_MAX, 200));
  EXPECT_EQ(INT32_MIN, PercentOf(INT32_MIN, 200));
}

TEST(CentredOriginTest, HalvesTheUnsignedDifferenceRoundingDown) {
  struct Case {
    int32_t size, screen_size, expected;
  };
  constexpr Case kCases[] = {
      {320, 800, 240}, {240, 600, 180},
      {342, 854, 256}, {192, 480, 144},
      {320, 801, 240}, {240, 601, 180},     // 240.5 and 180.5 go down
      {801, 800, 0x7FFFFFFF},               // a window larger than the screen wraps
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.expected, CentredOrigin(c.size, c.screen_size)) << c.size << " on " << c.screen_size;
}

TEST(NoticeOuterRectTest, FortyPercentCentredOnTheMonitor) {
  struct Case {
    NoticeRect monitor, expected;
  };
  constexpr Case kCases[] = {
      {{0, 0, 800, 600}, {240, 180, 320, 240}},
      {{0, 0, 854, 480}, {256, 144, 342, 192}},
      {{0, 0, 801, 601}, {240, 180, 320, 240}},
      {{1920, 120, 800, 600}, {2160, 300, 320, 240}},  // a primary monitor right of another
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.expected, NoticeOuterRect(c.monitor))
        << c.monitor.width << "x" << c.monitor.height << "+" << c.monitor.left << "+"
        << c.monitor.top;
}

TEST(ClientRectWithinTest, FrameComesOffTheOuterRectangle) {
  const NoticeRect outer = {240, 180, 320, 240};
  EXPECT_EQ((NoticeRect{241, 201, 318, 214}), ClientRectWithin(outer, {1, 1, 21, 5}));
  EXPECT_EQ(outer, ClientRectWithin(outer, {0, 0, 0, 0}));
  // A frame as large as the window still leaves a window to create.
  EXPECT_EQ((NoticeRect{5, 5, 1, 1}), ClientRectWithin({0, 0, 10, 10}, {5, 5, 5, 5}));
}

// One key event of a sequence: which key, up or down, and the modifiers held
// just before it.
struct KeyEvent {
  bool down;
  NoticeKey key;
  bool alt;
  bool ctrl;
};

constexpr KeyEvent Down(NoticeKey key, bool alt = false, bool ctrl = false) {
  return {true, key, alt, ctrl};
}
constexpr KeyEvent Up(NoticeKey key, bool alt = false, bool ctrl = false) {
  return {false, key, alt, ctrl};
}

TEST(SystemKeyRuleTest, MeaningOfTheLastEventOfEachSequence) {
  using K = NoticeKey;
  using M = KeyMeaning;
  struct Case {
    const char* name;
    std::vector<KeyEvent> events;
    KeyMeaning last;
  };
  const Case kCases[] = {
      {"letter released", {Down(K::kOther), Up(K::kOther)}, M::kKeyUp},
      {"letter pressed", {Down(K::kOther)}, M::kNothing},
      {"key down before the window", {Up(K::kOther)}, M::kKeyUp},
      {"Alt down before the window", {Up(K::kAlt, true)}, M::kKeyUp},
      {"Alt tap", {Down(K::kAlt), Up(K::kAlt, true)}, M::kSysKeyUp},
      {"Alt tap with repeats", {Down(K::kAlt), Down(K::kAlt, true), Up(K::kAlt, true)},
       M::kSysKeyUp},
      {"Alt+X, X up", {Down(K::kAlt), Down(K::kOther, true), Up(K::kOther, true)}, M::kSysKeyUp},
      {"Alt+X, Alt up",
       {Down(K::kAlt), Down(K::kOther, true), Up(K::kOther, true), Up(K::kAlt, true)},
       M::kKeyUp},
      {"Alt+Shift, Alt up", {Down(K::kAlt), Down(K::kOther, true), Up(K::kAlt, true)}, M::kKeyUp},
      {"Alt repeat after X", {Down(K::kAlt), Down(K::kOther, true), Down(K::kAlt, true),
                              Up(K::kAlt, true)},
       M::kKeyUp},
      {"second Alt tap after Alt+X",
       {Down(K::kAlt), Down(K::kOther, true), Up(K::kAlt, true), Down(K::kAlt), Up(K::kAlt, true)},
       M::kSysKeyUp},
      {"Ctrl up under Alt", {Down(K::kAlt), Down(K::kCtrl, true), Up(K::kCtrl, true, true)},
       M::kSysKeyUp},
      {"Alt up after Ctrl went down under it",
       {Down(K::kAlt), Down(K::kCtrl, true), Up(K::kCtrl, true, true), Up(K::kAlt, true)},
       M::kKeyUp},
      {"F10", {Down(K::kF10), Up(K::kF10)}, M::kSysKeyUp},
      {"F10 under Ctrl+Alt", {Down(K::kF10, true, true), Up(K::kF10, true, true)}, M::kSysKeyUp},
      {"letter under Ctrl+Alt", {Down(K::kOther, true, true), Up(K::kOther, true, true)},
       M::kKeyUp},
      {"Alt up under Ctrl", {Down(K::kAlt, false, true), Up(K::kAlt, true, true)}, M::kKeyUp},
      {"Ctrl up alone", {Down(K::kCtrl), Up(K::kCtrl, false, true)}, M::kKeyUp},
      {"F4 up alone", {Down(K::kF4), Up(K::kF4)}, M::kKeyUp},
      {"Alt+F4 down", {Down(K::kAlt), Down(K::kF4, true)}, M::kCloseCommand},
      {"Ctrl+Alt+F4 down", {Down(K::kF4, true, true)}, M::kNothing},
  };
  for (const Case& c : kCases) {
    SystemKeyRule rule;
    KeyMeaning meaning = KeyMeaning::kNothing;
    for (const KeyEvent& e : c.events) {
      const HeldModifiers held = {e.alt, e.ctrl};
      meaning = e.down ? rule.OnKeyDown(e.key, held) : rule.OnKeyUp(e.key, held);
    }
    EXPECT_EQ(c.last, meaning) << c.name;
  }
}

// A window system that records the calls made on it and delivers scripted
// messages, destroying the window the way a real one does.
class FakeWindowSystem : public NoticeWindowSystem {
 public:
  NoticeRect PrimaryMonitor() override { return monitor; }
  bool RegisterNoticeClass(const char* class_name, std::string* error) override {
    calls.push_back(std::string("register ") + class_name);
    if (!register_ok)
      *error = "no class";
    return register_ok;
  }
  bool CreateNoticeWindow(const char* title, const NoticeRect& outer, std::string*) override {
    calls.push_back(std::string("create '") + title + "' " + std::to_string(outer.left) + "," +
                    std::to_string(outer.top) + " " + std::to_string(outer.width) + "x" +
                    std::to_string(outer.height));
    return true;
  }
  void FadeIn(int milliseconds) override {
    calls.push_back("fade " + std::to_string(milliseconds));
  }
  void ShowWithFocus() override { calls.push_back("show"); }
  bool PumpMessage(int* status, std::string* error) override {
    if (quit_status >= 0) {
      *status = quit_status;
      return false;
    }
    if (messages.empty()) {
      *error = "connection lost";
      *status = 1;
      return false;
    }
    const NoticeMessage message = messages.front();
    messages.pop_front();
    NoticeWindowProc(*this, message);
    return true;
  }
  void CloseWindow() override {
    calls.push_back("close");
    NoticeWindowProc(*this, NoticeMessage::kDestroy);
  }
  void PaintCentredText(const char* text) override {
    calls.push_back(std::string("paint '") + text + "'");
  }
  void PostQuit(int status) override {
    calls.push_back("quit " + std::to_string(status));
    quit_status = status;
  }

  NoticeRect monitor = {0, 0, 800, 600};
  bool register_ok = true;
  std::deque<NoticeMessage> messages;
  std::vector<std::string> calls;
  int quit_status = -1;
};

TEST(RunNoticeWindowTest, ShowsTheWindowAndEndsWithZeroOnAKeyRelease) {
  FakeWindowSystem system;
  system.monitor = {1920, 0, 854, 480};
  system.messages = {NoticeMessage::kPaint, NoticeMessage::kOther, NoticeMessage::kKeyUp,
                     NoticeMessage::kPaint};
  std::string error;
  EXPECT_EQ(0, RunNoticeWindow(system, &error));
  EXPECT_EQ("", error);
  const std::vector<std::string> expected = {
      "register Install_Test",
      "create 'Press any key to continue ....' 2176,144 342x192",
      "fade 500",
      "show",
      "paint 'Installation success'",
      "close",
      "quit 0",
  };
  EXPECT_EQ(expected, system.calls);
}

TEST(RunNoticeWindowTest, FailuresEndWithOneAndAReason) {
  FakeWindowSystem no_class;
  no_class.register_ok = false;
  std::string error;
  EXPECT_EQ(1, RunNoticeWindow(no_class, &error));
  EXPECT_EQ("no class", error);
  EXPECT_EQ(std::vector<std::string>{"register Install_Test"}, no_class.calls);

  // The loop ends without a quit message: the window system has gone.
  FakeWindowSystem lost;
  error.clear();
  EXPECT_EQ(1, RunNoticeWindow(lost, &error));
  EXPECT_EQ("connection lost", error);
}

}  // namespace
