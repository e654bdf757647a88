// The real install-notice in a real X server: each test starts Xvfb on a
// free display, openbox where it wants a window manager, and the program,
// then drives it with XTest the way a user would.
// GoogleTest comes before Xlib, whose None and Bool macros it would trip on.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr milliseconds kStartTimeout{5000};  // server, window manager or window coming up
constexpr milliseconds kExitTimeout{3000};   // the program ending after the closing event
constexpr milliseconds kSettle{250};         // time given to the program to react, or not
constexpr milliseconds kFadeDone{800};       // the 500 ms fade with room to spare
constexpr int kRepeatDelayMs = 250;          // the test server's auto-repeat delay

void Sleep(milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

int IgnoreIOError(Display*) {
  return 0;
}

// Lets a test outlive the server it killed instead of exiting in Xlib.
void KeepRunning(Display*, void*) {}

/// A child process with its standard error kept in a pipe.
class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { Stop(); }

  /// Starts `argv` with DISPLAY set to `display` (unset when empty); keeps `keep_fd` open in it.
  bool Start(const std::vector<std::string>& argv, const std::string& display,
             int keep_fd = -1) {
    int err[2];
    if (pipe2(err, O_CLOEXEC) != 0)
      return false;
    pid_ = fork();
    if (pid_ == 0) {
      if (display.empty())
        unsetenv("DISPLAY");
      else
        setenv("DISPLAY", display.c_str(), 1);
      dup2(err[1], STDERR_FILENO);
      const int null = open("/dev/null", O_RDWR);
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      if (keep_fd >= 0)
        fcntl(keep_fd, F_SETFD, 0);
      std::vector<char*> args;
      for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
    close(err[1]);
    stderr_fd_ = err[0];
    fcntl(stderr_fd_, F_SETFL, O_NONBLOCK);
    return pid_ > 0;
  }

  /// Waits up to `timeout` for the child to end; its exit status, or -1 while it runs.
  int WaitForExit(milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (status_ < 0 && pid_ > 0) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        break;
      }
      if (Clock::now() >= deadline)
        break;
      Sleep(milliseconds(5));
    }
    return status_;
  }

  /// Whether the child still runs.
  bool Running() { return WaitForExit(milliseconds(0)) < 0; }

  /// What the child has written to standard error since the last call.
  std::string Stderr() {
    std::string text;
    char buffer[512];
    ssize_t n;
    while (stderr_fd_ >= 0 && (n = read(stderr_fd_, buffer, sizeof buffer)) > 0)
      text.append(buffer, static_cast<size_t>(n));
    return text;
  }

  /// Ends the child with SIGTERM if it still runs.
  void Stop() {
    if (pid_ > 0 && Running()) {
      kill(pid_, SIGTERM);
      if (WaitForExit(kExitTimeout) < 0) {
        kill(pid_, SIGKILL);
        WaitForExit(kExitTimeout);
      }
    }
    if (stderr_fd_ >= 0)
      close(stderr_fd_);
    stderr_fd_ = -1;
  }

  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  int stderr_fd_ = -1;
};

/// Interned atoms the tests read.
struct Atoms {
  Atom net_wm_name, utf8_string, net_frame_extents, net_wm_window_type,
      net_wm_window_type_normal, net_wm_state, net_wm_state_above, net_wm_state_skip_taskbar,
      net_wm_window_opacity, net_supporting_wm_check;
};

/// One Xvfb (and optionally openbox) for one test, with a connection to drive it.
class XSession {
 public:
  ~XSession() {
    notice_.Stop();
    window_manager_.Stop();
    if (display_)
      XCloseDisplay(display_);
    server_.Stop();
  }

  /// Starts Xvfb with a `width` × `height` screen on a free display, and openbox when `with_wm`.
  void Start(int width, int height, bool with_wm) {
    int ready[2];
    ASSERT_EQ(0, pipe2(ready, O_CLOEXEC));
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    ASSERT_TRUE(server_.Start({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                               screen, "-noreset", "-nolisten", "tcp", "-ardelay",
                               std::to_string(kRepeatDelayMs), "-arinterval", "30"},
                              "", ready[1]));
    close(ready[1]);
    std::string number;
    pollfd fd = {ready[0], POLLIN, 0};
    char c;
    while (poll(&fd, 1, static_cast<int>(kStartTimeout.count())) > 0 && read(ready[0], &c, 1) == 1 &&
           c != '\n')
      number += c;
    close(ready[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start: " << server_.Stderr();
    name_ = ":" + number;
    display_ = XOpenDisplay(name_.c_str());
    ASSERT_NE(nullptr, display_) << name_;
    XSetErrorHandler(IgnoreXError);
    XSetIOErrorHandler(IgnoreIOError);
    XSetIOErrorExitHandler(display_, KeepRunning, nullptr);
    root_ = DefaultRootWindow(display_);
    char* names[] = {const_cast<char*>("_NET_WM_NAME"),
                     const_cast<char*>("UTF8_STRING"),
                     const_cast<char*>("_NET_FRAME_EXTENTS"),
                     const_cast<char*>("_NET_WM_WINDOW_TYPE"),
                     const_cast<char*>("_NET_WM_WINDOW_TYPE_NORMAL"),
                     const_cast<char*>("_NET_WM_STATE"),
                     const_cast<char*>("_NET_WM_STATE_ABOVE"),
                     const_cast<char*>("_NET_WM_STATE_SKIP_TASKBAR"),
                     const_cast<char*>("_NET_WM_WINDOW_OPACITY"),
                     const_cast<char*>("_NET_SUPPORTING_WM_CHECK")};
    static_assert(sizeof names / sizeof *names == sizeof(Atoms) / sizeof(Atom));
    XInternAtoms(display_, names, sizeof names / sizeof *names, False,
                 reinterpret_cast<Atom*>(&atoms_));
    if (with_wm) {
      ASSERT_TRUE(window_manager_.Start({"openbox", "--sm-disable"}, name_));
      ASSERT_NO_FATAL_FAILURE(WaitForWindowManager());
    }
  }

  /// Waits until the window manager answers a frame-size request, so it handles clients.
  void WaitForWindowManager() {
    const Clock::time_point deadline = Clock::now() + kStartTimeout;
    while (Longs(root_, atoms_.net_supporting_wm_check, XA_WINDOW).empty()) {
      ASSERT_LT(Clock::now(), deadline) << "openbox did not start: " << window_manager_.Stderr();
      Sleep(milliseconds(10));
    }
    const Window probe = XCreateSimpleWindow(display_, root_, 0, 0, 10, 10, 0, 0, 0);
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    // Openbox names its check window before it listens on the root, so a
    // request can go unheard: ask again until it answers.
    while (Longs(probe, atoms_.net_frame_extents, XA_CARDINAL).empty()) {
      ASSERT_LT(Clock::now(), deadline) << "openbox does not answer";
      XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask,
                 &request);
      XSync(display_, False);
      Sleep(milliseconds(20));
    }
    XDestroyWindow(display_, probe);
  }

  /// Starts install-notice and waits for its window; `focus` waits until it has the keyboard focus.
  void StartNotice(bool focus = true) {
    ASSERT_TRUE(notice_.Start({INSTALL_NOTICE_PATH}, name_));
    const Clock::time_point deadline = Clock::now() + kStartTimeout;
    while ((window_ = FindNotice(root_)) == None || !Viewable(window_)) {
      ASSERT_TRUE(notice_.Running()) << notice_.Stderr();
      ASSERT_LT(Clock::now(), deadline) << "no window appeared";
      Sleep(milliseconds(5));
    }
    while (focus && FocusedWindow() != window_) {
      ASSERT_LT(Clock::now(), deadline) << "the window never got the focus";
      Sleep(milliseconds(5));
    }
  }

  /// The top-level window whose WM_CLASS class is the notice's, searched under `parent`.
  Window FindNotice(Window parent) {
    Window root_return, parent_return;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, parent, &root_return, &parent_return, &children, &count))
      return None;
    Window found = None;
    for (unsigned i = 0; i < count && found == None; ++i) {
      XClassHint hint = {};
      if (XGetClassHint(display_, children[i], &hint)) {
        if (std::strcmp(hint.res_class, "Install_Test") == 0)
          found = children[i];
        XFree(hint.res_name);
        XFree(hint.res_class);
      }
      if (found == None)
        found = FindNotice(children[i]);
    }
    if (children)
      XFree(children);
    return found;
  }

  bool Viewable(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
  }

  Window FocusedWindow() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
  }

  std::vector<long> Longs(Window window, Atom property, Atom type) {
    std::vector<long> values;
    ReadProperty(window, property, type, 32, 64, [&](unsigned char* data, unsigned long count) {
      values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    });
    return values;
  }

  std::string Text(Window window, Atom property, Atom type) {
    std::string text;
    ReadProperty(window, property, type, 8, 1024, [&](unsigned char* data, unsigned long count) {
      text.assign(reinterpret_cast<char*>(data), count);
    });
    return text;
  }

  // Hands `take` the property's items when it has the given type and format.
  template <typename Take>
  void ReadProperty(Window window, Atom property, Atom type, int format, long length, Take take) {
    Atom actual = None;
    int actual_format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, length, False, type, &actual,
                           &actual_format, &count, &after, &data) == Success &&
        actual == type && actual_format == format)
      take(data, count);
    if (data)
      XFree(data);
  }

  /// The window's client area in root coordinates.
  XRectangle ClientRect(Window window) {
    XWindowAttributes attributes = {};
    XGetWindowAttributes(display_, window, &attributes);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child);
    return {static_cast<short>(x), static_cast<short>(y),
            static_cast<unsigned short>(attributes.width),
            static_cast<unsigned short>(attributes.height)};
  }

  /// Presses (`down`) or releases the key of `keysym`.
  void Key(KeySym keysym, bool down) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down, CurrentTime);
    XSync(display_, False);
  }

  /// Clicks the first mouse button in the middle of the notice's client area.
  void Click() {
    const XRectangle client = ClientRect(window_);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), client.x + client.width / 2,
                         client.y + client.height / 2, CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
  }

  Display* display() { return display_; }
  Window window() { return window_; }
  const Atoms& atoms() { return atoms_; }
  Child& notice() { return notice_; }
  Child& server() { return server_; }

 private:
  Child server_;
  Child window_manager_;
  Child notice_;
  std::string name_;
  Display* display_ = nullptr;
  Window root_ = None;
  Window window_ = None;
  Atoms atoms_ = {};
};

// --- Geometry -------------------------------------------------------------

struct GeometryCase {
  const char* name;
  int screen_width, screen_height;
  bool with_wm;
  XRectangle outer;
};

void PrintTo(const GeometryCase& c, std::ostream* out) {
  *out << c.name;
}

class GeometryTest : public testing::TestWithParam<GeometryCase> {};

TEST_P(GeometryTest, OuterRectangleIsFortyPercentCentred) {
  const GeometryCase& c = GetParam();
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(c.screen_width, c.screen_height, c.with_wm));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  const XRectangle client = x.ClientRect(x.window());
  std::vector<long> frame = x.Longs(x.window(), x.atoms().net_frame_extents, XA_CARDINAL);
  if (!c.with_wm) {
    EXPECT_TRUE(frame.empty());
  }
  frame.resize(4, 0);  // left, right, top, bottom
  const XRectangle outer = {static_cast<short>(client.x - frame[0]),
                            static_cast<short>(client.y - frame[2]),
                            static_cast<unsigned short>(client.width + frame[0] + frame[1]),
                            static_cast<unsigned short>(client.height + frame[2] + frame[3])};
  std::printf("%dx%d screen: outer %dx%d+%d+%d, client %dx%d+%d+%d, frame l%ld r%ld t%ld b%ld\n",
              c.screen_width, c.screen_height, outer.width, outer.height, outer.x, outer.y,
              client.width, client.height, client.x, client.y, frame[0], frame[1], frame[2],
              frame[3]);
  EXPECT_EQ(c.outer.x, outer.x);
  EXPECT_EQ(c.outer.y, outer.y);
  EXPECT_EQ(c.outer.width, outer.width);
  EXPECT_EQ(c.outer.height, outer.height);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, GeometryTest,
    testing::Values(GeometryCase{"Screen800x600", 800, 600, true, {240, 180, 320, 240}},
                    GeometryCase{"Screen854x480", 854, 480, true, {256, 144, 342, 192}},
                    GeometryCase{"Screen800x600NoWindowManager", 800, 600, false,
                                 {240, 180, 320, 240}}),
    [](const testing::TestParamInfo<GeometryCase>& param) { return param.param.name; });

TEST(NoticeX11Test, CentresOnThePrimaryMonitor) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, false));
  int major = 0, minor = 0;
  if (!XRRQueryVersion(x.display(), &major, &minor) || (major == 1 && minor < 5))
    GTEST_SKIP() << "the server has no RandR monitors";
  // Two monitors side by side; the right-hand one, lower down, is primary.
  XRRMonitorInfo left = {};
  left.name = XInternAtom(x.display(), "LEFT", False);
  left.width = 400;
  left.height = 600;
  left.mwidth = 100;
  left.mheight = 150;
  XRRMonitorInfo right = left;
  right.name = XInternAtom(x.display(), "RIGHT", False);
  right.primary = True;
  right.x = 400;
  right.y = 200;
  right.height = 400;
  XRRSetMonitor(x.display(), DefaultRootWindow(x.display()), &left);
  XRRSetMonitor(x.display(), DefaultRootWindow(x.display()), &right);
  XSync(x.display(), False);
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  const XRectangle client = x.ClientRect(x.window());
  EXPECT_EQ(400 + 120, client.x);  // 160 wide, centred in 400
  EXPECT_EQ(200 + 120, client.y);  // 160 high, centred in 400
  EXPECT_EQ(160, client.width);
  EXPECT_EQ(160, client.height);
}

// --- Identity and look ----------------------------------------------------

TEST(NoticeX11Test, IdentifiesItselfAsAnOrdinaryWindow) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, true));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  const Atoms& a = x.atoms();
  const std::string title = "Press any key to continue ....";
  EXPECT_EQ(title, x.Text(x.window(), XA_WM_NAME, XA_STRING));
  EXPECT_EQ(title, x.Text(x.window(), a.net_wm_name, a.utf8_string));
  XClassHint hint = {};
  ASSERT_TRUE(XGetClassHint(x.display(), x.window(), &hint));
  EXPECT_STREQ("Install_Test", hint.res_class);
  XFree(hint.res_name);
  XFree(hint.res_class);
  EXPECT_EQ(std::vector<long>{static_cast<long>(a.net_wm_window_type_normal)},
            x.Longs(x.window(), a.net_wm_window_type, XA_ATOM));
  for (long state : x.Longs(x.window(), a.net_wm_state, XA_ATOM)) {
    EXPECT_NE(static_cast<long>(a.net_wm_state_above), state);
    EXPECT_NE(static_cast<long>(a.net_wm_state_skip_taskbar), state);
  }
  XWMHints* wm_hints = XGetWMHints(x.display(), x.window());
  ASSERT_NE(nullptr, wm_hints);
  EXPECT_FALSE(wm_hints->flags & (IconPixmapHint | IconWindowHint));
  XFree(wm_hints);
}

TEST(NoticeX11Test, FadesInToOpaque) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, true));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice(false));
  const Atom opacity = x.atoms().net_wm_window_opacity;
  XSelectInput(x.display(), x.window(), PropertyChangeMask);
  std::vector<long> first = x.Longs(x.window(), opacity, XA_CARDINAL);
  std::vector<unsigned long> seen;
  if (!first.empty())
    seen.push_back(static_cast<unsigned long>(first[0]));
  bool removed = false;
  const Clock::time_point deadline = Clock::now() + kFadeDone;
  while (Clock::now() < deadline) {
    while (XPending(x.display())) {
      XEvent event;
      XNextEvent(x.display(), &event);
      if (event.type != PropertyNotify || event.xproperty.atom != opacity)
        continue;
      if (event.xproperty.state == PropertyDelete) {
        removed = true;
      } else {
        const std::vector<long> value = x.Longs(x.window(), opacity, XA_CARDINAL);
        if (!value.empty())
          seen.push_back(static_cast<unsigned long>(value[0]));
      }
    }
    Sleep(milliseconds(5));
  }
  const std::vector<long> last = x.Longs(x.window(), opacity, XA_CARDINAL);
  EXPECT_TRUE(last.empty() || static_cast<unsigned long>(last[0]) == 0xFFFFFFFFul);
  EXPECT_TRUE(removed);
  ASSERT_GE(seen.size(), 3u) << "the fade was not seen stepping";
  for (size_t i = 1; i < seen.size(); ++i)
    EXPECT_LE(seen[i - 1], seen[i]) << "opacity went down at step " << i;
  EXPECT_LT(seen.front(), 0x80000000ul);
}

// Pixels of the client area: the face colour, and where the dark ones are.
struct Paint {
  long face = 0, dark = 0, total = 0;
  int dark_left = 1 << 30, dark_right = -1, dark_top = 1 << 30, dark_bottom = -1;
};

Paint Capture(XSession& x) {
  Paint paint;
  const XRectangle client = x.ClientRect(x.window());
  XImage* image = XGetImage(x.display(), x.window(), 0, 0, client.width, client.height,
                            AllPlanes, ZPixmap);
  if (!image)
    return paint;
  for (int y = 0; y < client.height; ++y) {
    for (int px = 0; px < client.width; ++px) {
      const unsigned long pixel = XGetPixel(image, px, y) & 0xFFFFFF;
      ++paint.total;
      if (pixel == 0xF0F0F0)
        ++paint.face;
      if (((pixel >> 16) & 0xFF) < 0x60 && ((pixel >> 8) & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60) {
        ++paint.dark;
        paint.dark_left = std::min(paint.dark_left, px);
        paint.dark_right = std::max(paint.dark_right, px);
        paint.dark_top = std::min(paint.dark_top, y);
        paint.dark_bottom = std::max(paint.dark_bottom, y);
      }
    }
  }
  XDestroyImage(image);
  return paint;
}

void ExpectFaceWithCentredText(XSession& x) {
  const XRectangle client = x.ClientRect(x.window());
  const Paint paint = Capture(x);
  ASSERT_GT(paint.total, 0);
  EXPECT_GT(paint.face * 10, paint.total * 9) << "less than 90% is the face colour";
  ASSERT_GT(paint.dark, 50) << "no text";
  // One line of text, its box centred in the client area (to a pixel or two
  // for the glyphs' side bearings).
  EXPECT_LT(paint.dark_bottom - paint.dark_top, 40);
  EXPECT_NEAR(client.width / 2.0, (paint.dark_left + paint.dark_right) / 2.0, 2.5);
  EXPECT_NEAR(client.height / 2.0, (paint.dark_top + paint.dark_bottom) / 2.0, 4.0);
}

TEST(NoticeX11Test, PaintsTheTextCentredAndAgainAfterAResize) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, true));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  Sleep(kFadeDone);
  ASSERT_NO_FATAL_FAILURE(ExpectFaceWithCentredText(x));

  XResizeWindow(x.display(), x.window(), 560, 400);
  XSync(x.display(), False);
  const Clock::time_point deadline = Clock::now() + kStartTimeout;
  while (x.ClientRect(x.window()).width != 560) {
    ASSERT_LT(Clock::now(), deadline) << "the window manager did not resize the window";
    Sleep(milliseconds(10));
  }
  Sleep(kSettle);
  ExpectFaceWithCentredText(x);
  EXPECT_TRUE(x.notice().Running());
}

// --- Keys and mouse ---------------------------------------------------------

enum class Act { kDown, kUp, kClick };

struct Step {
  Act act;
  KeySym key;
};

struct KeyCase {
  const char* name;
  bool with_wm;
  std::vector<Step> steps;
  size_t closing_step;  // index of the step that ends the program
};

void PrintTo(const KeyCase& c, std::ostream* out) {
  *out << c.name;
}

class KeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyTest, ClosesOnlyAtTheClosingStep) {
  const KeyCase& c = GetParam();
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, c.with_wm));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  for (size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    if (step.act == Act::kClick)
      x.Click();
    else
      x.Key(step.key, step.act == Act::kDown);
    if (i == c.closing_step) {
      EXPECT_EQ(0, x.notice().WaitForExit(kExitTimeout))
          << "step " << i << " did not close it; focus on 0x" << std::hex << x.FocusedWindow()
          << ", window 0x" << x.window() << std::dec << "; " << x.notice().Stderr();
      return;
    }
    Sleep(kSettle);
    ASSERT_TRUE(x.notice().Running()) << "closed at step " << i;
  }
  FAIL() << "the closing step never came";
}

const Step Down(KeySym key) { return {Act::kDown, key}; }
const Step Up(KeySym key) { return {Act::kUp, key}; }

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    testing::Values(
        KeyCase{"LetterPressThenRelease", true, {Down(XK_a), Up(XK_a)}, 1},
        KeyCase{"ShiftAlone", true, {Down(XK_Shift_L), Up(XK_Shift_L)}, 1},
        KeyCase{"CtrlAlone", true, {Down(XK_Control_L), Up(XK_Control_L)}, 1},
        KeyCase{"AltTapStaysOpen", true,
                {Down(XK_Alt_L), Up(XK_Alt_L), Down(XK_Return), Up(XK_Return)}, 3},
        KeyCase{"F10StaysOpen", true, {Down(XK_F10), Up(XK_F10), Down(XK_a), Up(XK_a)}, 3},
        KeyCase{"AltXClosesOnAltRelease", true,
                {Down(XK_Alt_L), Down(XK_x), Up(XK_x), Up(XK_Alt_L)}, 3},
        KeyCase{"CtrlAltLetter", true,
                {Down(XK_Control_L), Down(XK_Alt_L), Down(XK_a), Up(XK_a)}, 3},
        KeyCase{"ClickStaysOpen", true, {{Act::kClick, 0}, Down(XK_a), Up(XK_a)}, 2},
        KeyCase{"AltF4WithWindowManager", true, {Down(XK_Alt_L), Down(XK_F4)}, 1},
        KeyCase{"AltF4WithoutWindowManager", false, {Down(XK_Alt_L), Down(XK_F4)}, 1},
        KeyCase{"LetterWithoutWindowManager", false, {Down(XK_a), Up(XK_a)}, 1}),
    [](const testing::TestParamInfo<KeyCase>& param) { return param.param.name; });

TEST(NoticeX11Test, HeldKeyRepeatsWithoutClosingUntilReleased) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, true));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  // Our own connection sees the repeats too, so the hold provably repeated.
  XSelectInput(x.display(), x.window(), KeyPressMask);
  x.Key(XK_a, true);
  Sleep(milliseconds(kRepeatDelayMs * 3));
  EXPECT_TRUE(x.notice().Running());
  int presses = 0;
  while (XPending(x.display())) {
    XEvent event;
    XNextEvent(x.display(), &event);
    presses += event.type == KeyPress;
  }
  EXPECT_GE(presses, 3) << "the key did not repeat";
  x.Key(XK_a, false);
  EXPECT_EQ(0, x.notice().WaitForExit(kExitTimeout)) << x.notice().Stderr();
}

TEST(NoticeX11Test, KeyHeldBeforeTheWindowClosesItOnRelease) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, true));
  x.Key(XK_b, true);
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  Sleep(kSettle);
  ASSERT_TRUE(x.notice().Running());
  x.Key(XK_b, false);
  EXPECT_EQ(0, x.notice().WaitForExit(kExitTimeout)) << x.notice().Stderr();
}

// --- Failures ---------------------------------------------------------------

TEST(NoticeX11Test, NoDisplayEndsWithOneAndAMessage) {
  struct Case {
    std::string display, named;
  };
  const Case kCases[] = {{"", "DISPLAY"}, {":64999", ":64999"}};
  for (const Case& c : kCases) {
    Child notice;
    ASSERT_TRUE(notice.Start({INSTALL_NOTICE_PATH}, c.display));
    EXPECT_EQ(1, notice.WaitForExit(kExitTimeout)) << c.display;
    const std::string message = notice.Stderr();
    EXPECT_NE(std::string::npos, message.find(c.named)) << message;
    EXPECT_EQ(1, std::count(message.begin(), message.end(), '\n')) << message;
  }
}

TEST(NoticeX11Test, LostConnectionEndsWithOne) {
  XSession x;
  ASSERT_NO_FATAL_FAILURE(x.Start(800, 600, false));
  ASSERT_NO_FATAL_FAILURE(x.StartNotice());
  kill(x.server().pid(), SIGKILL);
  EXPECT_EQ(1, x.notice().WaitForExit(kExitTimeout)) << x.notice().Stderr();
  const std::string message = x.notice().Stderr();
  EXPECT_NE(std::string::npos, message.find("lost the connection")) << message;
}

}  // namespace
