#ifndef INSTALL_NOTICE_NOTICE_WINDOW_H_
#define INSTALL_NOTICE_NOTICE_WINDOW_H_

#include <cstdint>
#include <memory>
#include <string>

/// The notice window's fixed values.
struct NoticeConstants {
  const char* class_name;
  const char* title;
  const char* text;
  int32_t percent_of_screen;
  int fade_milliseconds;
  uint32_t face_colour;
  uint32_t text_colour;
};

/// Everything the notice window shows and how big it is.
constexpr NoticeConstants kNotice = {
    .class_name = "Install_Test",                // window class, also the X11 WM_CLASS class
    .title = "Press any key to continue ....",   // title bar text
    .text = "Installation success",              // the one line shown in the client area
    .percent_of_screen = 40,                     // outer width and height, percent of the monitor's
    .fade_milliseconds = 500,                    // fade from transparent to opaque
    .face_colour = 0xF0F0F0,                     // dialog face colour (0xRRGGBB) behind the text
    .text_colour = 0x000000,                     // text colour (0xRRGGBB)
};

/// A rectangle in screen pixels: top-left corner and size.
struct NoticeRect {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
  bool operator==(const NoticeRect&) const = default;
};

/// How far a window manager's frame reaches beyond the client area on each side.
struct FrameExtents {
  int32_t left;
  int32_t right;
  int32_t top;
  int32_t bottom;
};

/// (percent × 0.01) × value in extended precision, rounded to the nearest integer, ties to even.
int32_t PercentOf(int32_t value, int32_t percent);

/// (screen_size − size) in 32-bit unsigned arithmetic, halved rounding down.
int32_t CentredOrigin(int32_t size, int32_t screen_size);

/// The window's outer rectangle on `monitor`: the fixed percentage of each side, centred on it.
NoticeRect NoticeOuterRect(const NoticeRect& monitor);

/// The client area left inside `outer` once `frame` is taken off, at least 1 × 1.
NoticeRect ClientRectWithin(const NoticeRect& outer, const FrameExtents& frame);

/// Keys the system-key rule tells apart.
enum class NoticeKey { kAlt, kCtrl, kF4, kF10, kOther };

/// Modifiers held just before a key event, the key's own included.
struct HeldModifiers {
  bool alt;
  bool ctrl;
};

/// What a key event amounts to, in the terms Windows reports it in.
enum class KeyMeaning { kNothing, kKeyUp, kSysKeyUp, kCloseCommand };

/// Tells plain key releases from those Windows reports as system keys, for systems that do not.
class SystemKeyRule {
 public:
  /// A key went down: Alt+F4 (Ctrl not held) is the close command; anything else means nothing.
  KeyMeaning OnKeyDown(NoticeKey key, HeldModifiers held);
  /// A key came up: kSysKeyUp for F10, an Alt tap or a key (Ctrl too) let go under Alt without Ctrl.
  KeyMeaning OnKeyUp(NoticeKey key, HeldModifiers held);

 private:
  bool alt_alone_ = false;  ///< Alt went down and no other key has since.
};

/// The messages the window procedure acts on; a backend handles every other message itself.
enum class NoticeMessage { kKeyUp, kPaint, kDestroy, kOther };

/// The windowing calls the notice is built on; one platform file (-x11, -win32) defines them.
class NoticeWindowSystem {
 public:
  virtual ~NoticeWindowSystem() = default;
  /// The primary monitor's rectangle, read once at start-up.
  virtual NoticeRect PrimaryMonitor() = 0;
  /// Registers window class `class_name`: standard arrow, face-colour background, no icon of its own.
  virtual bool RegisterNoticeClass(const char* class_name, std::string* error) = 0;
  /// Creates the window, not yet shown, titled `title`, its outer rectangle (frame included) `outer`.
  virtual bool CreateNoticeWindow(const char* title, const NoticeRect& outer,
                                  std::string* error) = 0;
  /// Brings the window into view by a fade from transparent over `milliseconds`, and activates it.
  virtual void FadeIn(int milliseconds) = 0;
  /// Gives the window the keyboard focus, shows and paints it, and queues a whole repaint.
  virtual void ShowWithFocus() = 0;
  /// Waits for one message and dispatches it; false when the loop is over, its result in `status`.
  virtual bool PumpMessage(int* status, std::string* error) = 0;
  /// Closes and destroys the window; it receives kDestroy before this returns.
  virtual void CloseWindow() = 0;
  /// Fills the client area with the face colour and draws `text` centred on one line over it.
  virtual void PaintCentredText(const char* text) = 0;
  /// Makes the message loop end with `status` once the current message is handled.
  virtual void PostQuit(int status) = 0;
};

/// Connects to the platform's window system; null, with `error` set, when it cannot.
std::unique_ptr<NoticeWindowSystem> OpenNoticeWindowSystem(std::string* error);

/// The window procedure: a key release closes the window, a paint draws the text, destruction quits.
void NoticeWindowProc(NoticeWindowSystem& system, NoticeMessage message);

/// Pumps messages until the loop ends; returns the quit status (1 when the loop failed, `error` set).
int RunMessageLoop(NoticeWindowSystem& system, std::string* error);

/// The whole program from start-up to the end of the loop; returns the exit status.
int RunNoticeWindow(NoticeWindowSystem& system, std::string* error);

#endif  // INSTALL_NOTICE_NOTICE_WINDOW_H_
