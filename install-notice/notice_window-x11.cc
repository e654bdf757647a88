// The notice window on X11: Xlib for the window, Xft for the text, XRandR for
// the primary monitor, XKB for key repeat, EWMH hints for the window manager.
#include "notice_window.h"

#include <poll.h>
#include <unistd.h>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFadeSteps = 25;                 // opacity changes during the fade
constexpr int kFrameExtentsWaitMs = 500;       // longest wait for the window manager's frame size
constexpr const char* kFontName = "sans-serif";  // fontconfig pattern: the desktop's default face and size
constexpr long kEventMask = ExposureMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;

enum AtomId {
  kWmProtocols,
  kWmDeleteWindow,
  kUtf8String,
  kNetWmName,
  kNetWmWindowType,
  kNetWmWindowTypeNormal,
  kNetWmPid,
  kNetWmWindowOpacity,
  kNetFrameExtents,
  kNetRequestFrameExtents,
  kNetActiveWindow,
  kNetSupported,
  kNetSupportingWmCheck,
  kAtomCount
};

constexpr const char* kAtomNames[kAtomCount] = {
    "WM_PROTOCOLS",                  // client messages from the window manager
    "WM_DELETE_WINDOW",              // the title bar's close button, Alt+F4 of the window manager
    "UTF8_STRING",                   // type of _NET_WM_NAME
    "_NET_WM_NAME",                  // title in UTF-8
    "_NET_WM_WINDOW_TYPE",           // what kind of window this is
    "_NET_WM_WINDOW_TYPE_NORMAL",    // an ordinary top-level window
    "_NET_WM_PID",                   // which process owns the window
    "_NET_WM_WINDOW_OPACITY",        // the compositor's opacity, driven by the fade
    "_NET_FRAME_EXTENTS",            // the frame's size, set by the window manager
    "_NET_REQUEST_FRAME_EXTENTS",    // asks for the frame's size before mapping
    "_NET_ACTIVE_WINDOW",            // asks the window manager to activate the window
    "_NET_SUPPORTED",                // what the window manager understands
    "_NET_SUPPORTING_WM_CHECK",      // whether a window manager runs at all
};

// Xlib's error handler takes no context: the last protocol error is kept
// here, and only the window's creation looks at it.
int g_last_x_error = 0;

int RecordXError(Display*, XErrorEvent* event) {
  g_last_x_error = event->error_code;
  return 0;
}

int IgnoreIOError(Display*) {
  return 0;
}

unsigned short Channel(uint32_t rgb, int shift) {
  return static_cast<unsigned short>(((rgb >> shift) & 0xFF) * 0x101);
}

// The drawing layer: the font, the two colours and the window they paint on.
// Only these functions touch Xft.
struct Drawing {
  Display* display = nullptr;
  int screen = 0;
  XftFont* font = nullptr;
  XftColor text_colour{};
  bool text_colour_allocated = false;
  unsigned long face_pixel = 0;
  Window window = None;
  XftDraw* draw = nullptr;
  GC gc = nullptr;
};

bool OpenDrawing(Display* display, int screen, Drawing* drawing, std::string* error) {
  drawing->display = display;
  drawing->screen = screen;
  Colormap colormap = DefaultColormap(display, screen);
  XColor face = {};
  face.red = Channel(kNotice.face_colour, 16);
  face.green = Channel(kNotice.face_colour, 8);
  face.blue = Channel(kNotice.face_colour, 0);
  face.flags = DoRed | DoGreen | DoBlue;
  if (!XAllocColor(display, colormap, &face)) {
    *error = "cannot allocate the window's background colour";
    return false;
  }
  drawing->face_pixel = face.pixel;
  const XRenderColor text = {Channel(kNotice.text_colour, 16), Channel(kNotice.text_colour, 8),
                             Channel(kNotice.text_colour, 0), 0xFFFF};
  drawing->text_colour_allocated = XftColorAllocValue(
      display, DefaultVisual(display, screen), colormap, &text, &drawing->text_colour);
  if (!drawing->text_colour_allocated) {
    *error = "cannot allocate the text colour";
    return false;
  }
  drawing->font = XftFontOpenName(display, screen, kFontName);
  if (!drawing->font) {
    *error = std::string("cannot open a \"") + kFontName + "\" font";
    return false;
  }
  return true;
}

bool AttachDrawing(Drawing* drawing, Window window) {
  drawing->window = window;
  drawing->gc = XCreateGC(drawing->display, window, 0, nullptr);
  drawing->draw = XftDrawCreate(drawing->display, window,
                                DefaultVisual(drawing->display, drawing->screen),
                                DefaultColormap(drawing->display, drawing->screen));
  return drawing->draw != nullptr;
}

void DetachDrawing(Drawing* drawing) {
  if (drawing->draw)
    XftDrawDestroy(drawing->draw);
  if (drawing->gc)
    XFreeGC(drawing->display, drawing->gc);
  drawing->draw = nullptr;
  drawing->gc = nullptr;
  drawing->window = None;
}

void CloseDrawing(Drawing* drawing) {
  DetachDrawing(drawing);
  if (drawing->font)
    XftFontClose(drawing->display, drawing->font);
  if (drawing->text_colour_allocated)
    XftColorFree(drawing->display, DefaultVisual(drawing->display, drawing->screen),
                 DefaultColormap(drawing->display, drawing->screen), &drawing->text_colour);
  drawing->font = nullptr;
  drawing->text_colour_allocated = false;
}

// Fills `width` × `height` with the face colour and draws `text` over it,
// centred on one line the way DrawText's DT_CENTER | DT_VCENTER does.
void DrawCentredText(const Drawing& drawing, int width, int height, const char* text) {
  if (!drawing.draw)
    return;
  XSetForeground(drawing.display, drawing.gc, drawing.face_pixel);
  XFillRectangle(drawing.display, drawing.window, drawing.gc, 0, 0, static_cast<unsigned>(width),
                 static_cast<unsigned>(height));
  const FcChar8* utf8 = reinterpret_cast<const FcChar8*>(text);
  const int length = static_cast<int>(std::strlen(text));
  XGlyphInfo extents = {};
  XftTextExtentsUtf8(drawing.display, drawing.font, utf8, length, &extents);
  const int line_height = drawing.font->ascent + drawing.font->descent;
  const int x = (width - extents.xOff) / 2;
  const int y = (height - line_height) / 2 + drawing.font->ascent;
  XftDrawStringUtf8(drawing.draw, &drawing.text_colour, drawing.font, x, y, utf8, length);
}

class X11NoticeSystem final : public NoticeWindowSystem {
 public:
  ~X11NoticeSystem() override;

  bool Setup(std::string* error);

  NoticeRect PrimaryMonitor() override;
  bool RegisterNoticeClass(const char* class_name, std::string* error) override;
  bool CreateNoticeWindow(const char* title, const NoticeRect& outer,
                          std::string* error) override;
  void FadeIn(int milliseconds) override;
  void ShowWithFocus() override;
  bool PumpMessage(int* status, std::string* error) override;
  void CloseWindow() override;
  void PaintCentredText(const char* text) override;
  void PostQuit(int status) override;

 private:
  static void OnConnectionLost(Display* display, void* self);

  std::vector<long> GetLongs(Window window, Atom property, Atom type);
  void FindWindowManager();
  bool RequestFrameExtents(FrameExtents* frame);
  FrameExtents ReadFrameExtents();
  void FitIntoOuterRect(const FrameExtents& frame);
  void SetOpacity(uint32_t opacity);
  int StepFade();
  bool WaitForEvent();
  void HandleEvent(XEvent& event);
  void OnExpose(const XExposeEvent& event);
  void OnKeyPress(const XKeyEvent& event);
  void OnKeyRelease(const XKeyEvent& event);
  void OnClientMessage(const XClientMessageEvent& event);
  NoticeKey KeyOf(const XKeyEvent& event);

  Display* display_ = nullptr;
  int screen_ = 0;
  Window root_ = None;
  Window window_ = None;
  Atom atoms_[kAtomCount] = {};
  bool detectable_repeat_ = false;
  bool window_manager_ = false;
  bool frame_request_ = false;
  bool connection_lost_ = false;
  const char* class_name_ = "";
  Cursor cursor_ = None;
  Drawing drawing_;
  NoticeRect outer_ = {};
  bool frame_pending_ = false;  ///< the window manager has not told its frame's size yet
  int width_ = 0;
  int height_ = 0;
  bool focus_wanted_ = false;
  bool fading_ = false;
  int fade_ms_ = 0;
  int fade_step_ = 0;
  Clock::time_point fade_start_;
  SystemKeyRule keys_;
  bool quit_ = false;
  int quit_status_ = 0;
};

X11NoticeSystem::~X11NoticeSystem() {
  if (!display_)
    return;
  if (!connection_lost_) {
    CloseDrawing(&drawing_);
    if (cursor_ != None)
      XFreeCursor(display_, cursor_);
    if (window_ != None)
      XDestroyWindow(display_, window_);
  }
  XCloseDisplay(display_);
}

void X11NoticeSystem::OnConnectionLost(Display*, void* self) {
  static_cast<X11NoticeSystem*>(self)->connection_lost_ = true;
}

bool X11NoticeSystem::Setup(std::string* error) {
  display_ = XOpenDisplay(nullptr);
  if (!display_) {
    const char* name = XDisplayName(nullptr);
    *error = *name ? std::string("cannot open display \"") + name + "\""
                   : "cannot open a display: DISPLAY is not set";
    return false;
  }
  XSetErrorHandler(RecordXError);
  XSetIOErrorHandler(IgnoreIOError);
  XSetIOErrorExitHandler(display_, OnConnectionLost, this);
  // Without this a held key sends a release before each repeated press.
  Bool supported = False;
  XkbSetDetectableAutoRepeat(display_, True, &supported);
  detectable_repeat_ = supported;
  screen_ = DefaultScreen(display_);
  root_ = RootWindow(display_, screen_);
  XInternAtoms(display_, const_cast<char**>(kAtomNames), kAtomCount, False, atoms_);
  FindWindowManager();
  return true;
}

std::vector<long> X11NoticeSystem::GetLongs(Window window, Atom property, Atom type) {
  std::vector<long> values;
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display_, window, property, 0, 1024, False, type, &actual_type, &format,
                         &count, &after, &data) == Success &&
      actual_type == type && format == 32) {
    const long* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data)
    XFree(data);
  return values;
}

void X11NoticeSystem::FindWindowManager() {
  const std::vector<long> check = GetLongs(root_, atoms_[kNetSupportingWmCheck], XA_WINDOW);
  if (check.empty())
    return;
  // A window manager that has gone leaves a stale property on the root;
  // only a check window that names itself is alive.
  const Window wm = static_cast<Window>(check[0]);
  const std::vector<long> self = GetLongs(wm, atoms_[kNetSupportingWmCheck], XA_WINDOW);
  if (self.empty() || static_cast<Window>(self[0]) != wm)
    return;
  window_manager_ = true;
  for (long atom : GetLongs(root_, atoms_[kNetSupported], XA_ATOM))
    if (static_cast<Atom>(atom) == atoms_[kNetRequestFrameExtents])
      frame_request_ = true;
}

NoticeRect X11NoticeSystem::PrimaryMonitor() {
  NoticeRect monitor = {0, 0, DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)};
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display_, &event_base, &error_base) ||
      !XRRQueryVersion(display_, &major, &minor) || (major == 1 && minor < 5))
    return monitor;
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display_, root_, True, &count);
  for (int i = 0; i < count; ++i) {
    if (monitors[i].primary) {
      monitor = {monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
      break;
    }
  }
  if (monitors)
    XRRFreeMonitors(monitors);
  return monitor;
}

bool X11NoticeSystem::RegisterNoticeClass(const char* class_name, std::string* error) {
  class_name_ = class_name;
  cursor_ = XCreateFontCursor(display_, XC_left_ptr);
  return OpenDrawing(display_, screen_, &drawing_, error);
}

bool X11NoticeSystem::CreateNoticeWindow(const char* title, const NoticeRect& outer,
                                         std::string* error) {
  g_last_x_error = 0;
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = drawing_.face_pixel;
  attributes.cursor = cursor_;
  attributes.bit_gravity = ForgetGravity;  // a resize exposes the whole window
  attributes.event_mask = kEventMask | PropertyChangeMask;
  window_ = XCreateWindow(display_, root_, outer.left, outer.top,
                          static_cast<unsigned>(outer.width), static_cast<unsigned>(outer.height),
                          0, CopyFromParent, InputOutput, CopyFromParent,
                          CWBackPixel | CWCursor | CWBitGravity | CWEventMask, &attributes);

  XTextProperty name = {};
  char* title_list[] = {const_cast<char*>(title)};
  XWMHints wm = {};
  wm.flags = InputHint | StateHint;
  wm.input = True;
  wm.initial_state = NormalState;
  XClassHint class_hint = {const_cast<char*>("install-notice"), const_cast<char*>(class_name_)};
  if (!XStringListToTextProperty(title_list, 1, &name)) {
    *error = "out of memory";
    return false;
  }
  XSetWMProperties(display_, window_, &name, nullptr, nullptr, 0, nullptr, &wm, &class_hint);
  XFree(name.value);

  XChangeProperty(display_, window_, atoms_[kNetWmName], atoms_[kUtf8String], 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
  const long type = static_cast<long>(atoms_[kNetWmWindowTypeNormal]);
  XChangeProperty(display_, window_, atoms_[kNetWmWindowType], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);
  const long pid = static_cast<long>(getpid());
  XChangeProperty(display_, window_, atoms_[kNetWmPid], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  XSetWMProtocols(display_, window_, &atoms_[kWmDeleteWindow], 1);

  outer_ = outer;
  FrameExtents frame = {};
  // A window manager too slow to answer now tells the frame's size when it
  // maps the window; the client area is fitted then.
  frame_pending_ = !RequestFrameExtents(&frame) && window_manager_;
  FitIntoOuterRect(frame);
  if (!frame_pending_)
    XSelectInput(display_, window_, kEventMask);

  const bool attached = AttachDrawing(&drawing_, window_);
  XSync(display_, False);
  if (connection_lost_ || g_last_x_error != 0 || !attached) {
    char text[80] = "";
    if (!connection_lost_)
      XGetErrorText(display_, g_last_x_error, text, sizeof text);
    *error = std::string("cannot create the window") + (*text ? ": " : "") + text;
    return false;
  }
  return true;
}

void X11NoticeSystem::FitIntoOuterRect(const FrameExtents& frame) {
  // The frame lies inside the outer rectangle, so the client area shrinks by
  // it; the position stays that of the frame's corner.
  const NoticeRect client = ClientRectWithin(outer_, frame);
  width_ = client.width;
  height_ = client.height;
  XResizeWindow(display_, window_, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
  XSizeHints size = {};
  size.flags = USPosition | PPosition | PSize | PWinGravity;
  size.x = outer_.left;
  size.y = outer_.top;
  size.width = width_;
  size.height = height_;
  size.win_gravity = NorthWestGravity;
  XSetWMNormalHints(display_, window_, &size);
}

FrameExtents X11NoticeSystem::ReadFrameExtents() {
  FrameExtents frame = {};
  const std::vector<long> extents = GetLongs(window_, atoms_[kNetFrameExtents], XA_CARDINAL);
  if (extents.size() == 4) {
    frame.left = static_cast<int32_t>(extents[0]);
    frame.right = static_cast<int32_t>(extents[1]);
    frame.top = static_cast<int32_t>(extents[2]);
    frame.bottom = static_cast<int32_t>(extents[3]);
  }
  return frame;
}

bool X11NoticeSystem::RequestFrameExtents(FrameExtents* frame) {
  if (!frame_request_)
    return false;
  XEvent request = {};
  request.xclient.type = ClientMessage;
  request.xclient.window = window_;
  request.xclient.message_type = atoms_[kNetRequestFrameExtents];
  request.xclient.format = 32;
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display_);

  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kFrameExtentsWaitMs);
  bool answered = false;
  while (!answered && !connection_lost_) {
    XEvent event;
    while (!answered && XCheckTypedWindowEvent(display_, window_, PropertyNotify, &event))
      answered = event.xproperty.atom == atoms_[kNetFrameExtents];
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (answered || left.count() <= 0)
      break;
    pollfd fd = {ConnectionNumber(display_), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()));
  }
  if (answered)
    *frame = ReadFrameExtents();
  return answered;
}

void X11NoticeSystem::SetOpacity(uint32_t opacity) {
  const long value = static_cast<long>(opacity);
  XChangeProperty(display_, window_, atoms_[kNetWmWindowOpacity], XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&value), 1);
}

void X11NoticeSystem::FadeIn(int milliseconds) {
  // Without a compositor the opacity has no effect and the window simply
  // appears; with one it comes up from fully transparent.
  SetOpacity(0);
  XMapWindow(display_, window_);
  XFlush(display_);
  fading_ = true;
  fade_ms_ = std::max(1, milliseconds);
  fade_step_ = 0;
  fade_start_ = Clock::now();
}

int X11NoticeSystem::StepFade() {
  if (!fading_)
    return -1;
  if (window_ == None) {
    fading_ = false;
    return -1;
  }
  const long long elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - fade_start_).count();
  const int step = static_cast<int>(std::min<long long>(kFadeSteps, elapsed * kFadeSteps / fade_ms_));
  if (step >= kFadeSteps) {
    XDeleteProperty(display_, window_, atoms_[kNetWmWindowOpacity]);
    fading_ = false;
    return -1;
  }
  if (step != fade_step_) {
    fade_step_ = step;
    SetOpacity(static_cast<uint32_t>(0xFFFFFFFFull * static_cast<unsigned>(step) / kFadeSteps));
  }
  const long long next = (static_cast<long long>(step) + 1) * fade_ms_ / kFadeSteps;
  return static_cast<int>(std::max(1LL, next - elapsed));
}

void X11NoticeSystem::ShowWithFocus() {
  // The map has been requested; the focus can only be set once the window
  // is viewable, which its first expose tells.
  focus_wanted_ = true;
}

bool X11NoticeSystem::WaitForEvent() {
  for (;;) {
    const int timeout = StepFade();
    // XPending sends the fade's requests and reads what has arrived; it has
    // to be the last Xlib call before poll. Xlib reads the connection on a
    // flush too, so an event that came in after the check and before a later
    // XFlush would wait in the queue while poll waits on an empty socket: a
    // key released right after an auto-repeat press then went unhandled.
    if (XPending(display_) > 0)
      return true;
    if (connection_lost_)
      return false;
    pollfd fd = {ConnectionNumber(display_), POLLIN, 0};
    if (poll(&fd, 1, timeout) < 0 && errno != EINTR) {
      connection_lost_ = true;
      return false;
    }
  }
}

bool X11NoticeSystem::PumpMessage(int* status, std::string* error) {
  if (!quit_ && WaitForEvent()) {
    XEvent event;
    XNextEvent(display_, &event);
    HandleEvent(event);
    StepFade();
  }
  if (quit_) {
    *status = quit_status_;
    return false;
  }
  if (connection_lost_) {
    *status = 1;
    *error = std::string("lost the connection to display \"") + DisplayString(display_) + "\"";
    return false;
  }
  return true;
}

void X11NoticeSystem::HandleEvent(XEvent& event) {
  switch (event.type) {
    case Expose:
      OnExpose(event.xexpose);
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == window_) {
        width_ = event.xconfigure.width;
        height_ = event.xconfigure.height;
      }
      break;
    case KeyPress:
      OnKeyPress(event.xkey);
      break;
    case KeyRelease:
      OnKeyRelease(event.xkey);
      break;
    case ClientMessage:
      OnClientMessage(event.xclient);
      break;
    case PropertyNotify:
      if (frame_pending_ && event.xproperty.window == window_ &&
          event.xproperty.atom == atoms_[kNetFrameExtents]) {
        frame_pending_ = false;
        FitIntoOuterRect(ReadFrameExtents());
        XSelectInput(display_, window_, kEventMask);
      }
      break;
    case DestroyNotify:
      // Destroyed by someone else: the same end as a close.
      if (event.xdestroywindow.window == window_ && window_ != None) {
        window_ = None;
        NoticeWindowProc(*this, NoticeMessage::kDestroy);
      }
      break;
    default:
      break;
  }
}

void X11NoticeSystem::OnExpose(const XExposeEvent& event) {
  if (event.count > 0 || event.window != window_)
    return;
  if (focus_wanted_) {
    focus_wanted_ = false;
    if (window_manager_) {
      XEvent activate = {};
      activate.xclient.type = ClientMessage;
      activate.xclient.window = window_;
      activate.xclient.message_type = atoms_[kNetActiveWindow];
      activate.xclient.format = 32;
      activate.xclient.data.l[0] = 1;  // source: an application
      activate.xclient.data.l[1] = CurrentTime;
      XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask,
                 &activate);
    }
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  }
  NoticeWindowProc(*this, NoticeMessage::kPaint);
}

NoticeKey X11NoticeSystem::KeyOf(const XKeyEvent& event) {
  switch (XkbKeycodeToKeysym(display_, static_cast<KeyCode>(event.keycode), 0, 0)) {
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
      return NoticeKey::kAlt;
    case XK_Control_L:
    case XK_Control_R:
      return NoticeKey::kCtrl;
    case XK_F4:
      return NoticeKey::kF4;
    case XK_F10:
      return NoticeKey::kF10;
    default:
      return NoticeKey::kOther;
  }
}

void X11NoticeSystem::OnKeyPress(const XKeyEvent& event) {
  const HeldModifiers held = {(event.state & Mod1Mask) != 0, (event.state & ControlMask) != 0};
  // Without a window manager to take it, Alt+F4 is ours to handle.
  if (keys_.OnKeyDown(KeyOf(event), held) == KeyMeaning::kCloseCommand)
    CloseWindow();
}

void X11NoticeSystem::OnKeyRelease(const XKeyEvent& event) {
  if (!detectable_repeat_ && XEventsQueued(display_, QueuedAfterReading) > 0) {
    // An auto-repeat without detectable repeat: a release and a press of the
    // same key at the same moment.
    XEvent next;
    XPeekEvent(display_, &next);
    if (next.type == KeyPress && next.xkey.keycode == event.keycode && next.xkey.time == event.time)
      return;
  }
  const HeldModifiers held = {(event.state & Mod1Mask) != 0, (event.state & ControlMask) != 0};
  if (keys_.OnKeyUp(KeyOf(event), held) == KeyMeaning::kKeyUp)
    NoticeWindowProc(*this, NoticeMessage::kKeyUp);
}

void X11NoticeSystem::OnClientMessage(const XClientMessageEvent& event) {
  if (event.message_type == atoms_[kWmProtocols] &&
      static_cast<Atom>(event.data.l[0]) == atoms_[kWmDeleteWindow])
    CloseWindow();
}

void X11NoticeSystem::CloseWindow() {
  if (window_ == None)
    return;
  DetachDrawing(&drawing_);
  XDestroyWindow(display_, window_);
  XFlush(display_);
  window_ = None;
  NoticeWindowProc(*this, NoticeMessage::kDestroy);
}

void X11NoticeSystem::PaintCentredText(const char* text) {
  if (window_ != None)
    DrawCentredText(drawing_, width_, height_, text);
}

void X11NoticeSystem::PostQuit(int status) {
  quit_ = true;
  quit_status_ = status;
}

}  // namespace

std::unique_ptr<NoticeWindowSystem> OpenNoticeWindowSystem(std::string* error) {
  auto system = std::make_unique<X11NoticeSystem>();
  if (!system->Setup(error))
    return nullptr;
  return system;
}
