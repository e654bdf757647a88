#include "notice_window.h"

#include <algorithm>
#include <cmath>
#include <limits>

int32_t PercentOf(int32_t value, int32_t percent) {
  // The factor is rounded on its own before it scales the value: that order
  // decides on which side of a half a product close to a tie lands.
  const long double factor = static_cast<long double>(percent) * 0.01L;
  const long double product = factor * static_cast<long double>(value);
  const long double rounded = std::nearbyint(product);
  constexpr long double kMin = std::numeric_limits<int32_t>::min();
  constexpr long double kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(rounded, kMin, kMax));
}

int32_t CentredOrigin(int32_t size, int32_t screen_size) {
  const uint32_t difference =
      static_cast<uint32_t>(screen_size) - static_cast<uint32_t>(size);
  return static_cast<int32_t>(difference >> 1);
}

NoticeRect NoticeOuterRect(const NoticeRect& monitor) {
  const int32_t width = PercentOf(monitor.width, kNotice.percent_of_screen);
  const int32_t height = PercentOf(monitor.height, kNotice.percent_of_screen);
  return {monitor.left + CentredOrigin(width, monitor.width),
          monitor.top + CentredOrigin(height, monitor.height), width, height};
}

NoticeRect ClientRectWithin(const NoticeRect& outer, const FrameExtents& frame) {
  return {outer.left + frame.left, outer.top + frame.top,
          std::max(1, outer.width - frame.left - frame.right),
          std::max(1, outer.height - frame.top - frame.bottom)};
}

KeyMeaning SystemKeyRule::OnKeyDown(NoticeKey key, HeldModifiers held) {
  if (key == NoticeKey::kAlt) {
    // A repeat of a held Alt, or the second Alt key, starts no new tap.
    if (!held.alt)
      alt_alone_ = true;
    return KeyMeaning::kNothing;
  }
  alt_alone_ = false;
  if (key == NoticeKey::kF4 && held.alt && !held.ctrl)
    return KeyMeaning::kCloseCommand;
  return KeyMeaning::kNothing;
}

KeyMeaning SystemKeyRule::OnKeyUp(NoticeKey key, HeldModifiers held) {
  const bool alt_tap = alt_alone_;
  if (key == NoticeKey::kAlt)
    alt_alone_ = false;
  // Ctrl's own release leaves Ctrl up, as the key state is judged after it.
  const bool ctrl = held.ctrl && key != NoticeKey::kCtrl;
  if (key == NoticeKey::kF10)
    return KeyMeaning::kSysKeyUp;
  if (held.alt && ctrl)
    return KeyMeaning::kKeyUp;
  if (key == NoticeKey::kAlt)
    return alt_tap ? KeyMeaning::kSysKeyUp : KeyMeaning::kKeyUp;
  if (held.alt)
    return KeyMeaning::kSysKeyUp;
  return KeyMeaning::kKeyUp;
}

void NoticeWindowProc(NoticeWindowSystem& system, NoticeMessage message) {
  switch (message) {
    case NoticeMessage::kKeyUp:
      system.CloseWindow();
      break;
    case NoticeMessage::kPaint:
      system.PaintCentredText(kNotice.text);
      break;
    case NoticeMessage::kDestroy:
      system.PostQuit(0);
      break;
    case NoticeMessage::kOther:
      break;
  }
}

int RunMessageLoop(NoticeWindowSystem& system, std::string* error) {
  int status = 0;
  while (system.PumpMessage(&status, error)) {
  }
  return status;
}

int RunNoticeWindow(NoticeWindowSystem& system, std::string* error) {
  const NoticeRect monitor = system.PrimaryMonitor();
  if (!system.RegisterNoticeClass(kNotice.class_name, error))
    return 1;
  if (!system.CreateNoticeWindow(kNotice.title, NoticeOuterRect(monitor), error))
    return 1;
  system.FadeIn(kNotice.fade_milliseconds);
  system.ShowWithFocus();
  return RunMessageLoop(system, error);
}
