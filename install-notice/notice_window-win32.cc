// The notice window on Win32: one window class, one window procedure and
// the thread's message loop.
#include "notice_window.h"

#include <windows.h>

namespace {

constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW;  // repaint whole on any resize
constexpr int kFaceBrush = COLOR_BTNFACE + 1;           // system colour brush value 16
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

std::string Reason(DWORD error) {
  char text[512];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           error, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' ||
                   text[n - 1] == '.'))
    --n;
  if (n == 0) return "error " + std::to_string(error);
  return std::string(text, n);
}

class Win32NoticeSystem final : public NoticeWindowSystem {
 public:
  Win32NoticeSystem();
  ~Win32NoticeSystem() override;

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
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  LRESULT OnKeyUp(UINT message, WPARAM w_param, LPARAM l_param);
  LRESULT OnPaint();
  LRESULT OnPrintClient(HDC dc);
  LRESULT OnDestroy();

  HINSTANCE instance_;
  HICON icon_;
  HCURSOR cursor_;
  const char* class_name_ = "";
  HWND window_ = nullptr;
  HDC print_dc_ = nullptr;  // set while the window is drawn for WM_PRINTCLIENT
};

// The window procedure has no context of its own (the window is created
// without a creation parameter); there is one window per process.
Win32NoticeSystem* g_system = nullptr;

Win32NoticeSystem::Win32NoticeSystem()
    : instance_(GetModuleHandleA(nullptr)),
      icon_(LoadIconA(nullptr, IDI_APPLICATION)),
      cursor_(LoadCursorA(nullptr, IDC_ARROW)) {
  g_system = this;
}

Win32NoticeSystem::~Win32NoticeSystem() { g_system = nullptr; }

NoticeRect Win32NoticeSystem::PrimaryMonitor() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32NoticeSystem::RegisterNoticeClass(const char* class_name, std::string* error) {
  class_name_ = class_name;
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.style = kClassStyle;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  window_class.hIcon = icon_;
  window_class.hCursor = cursor_;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(kFaceBrush));
  window_class.lpszClassName = class_name;
  window_class.hIconSm = icon_;
  if (RegisterClassExA(&window_class) == 0) {
    *error = std::string("cannot register the window class: ") + Reason(GetLastError());
    return false;
  }
  return true;
}

bool Win32NoticeSystem::CreateNoticeWindow(const char* title, const NoticeRect& outer,
                                           std::string* error) {
  window_ = CreateWindowExA(0, class_name_, title, WS_OVERLAPPEDWINDOW, outer.left, outer.top,
                            outer.width, outer.height, nullptr, nullptr, instance_, nullptr);
  if (!window_) {
    *error = std::string("cannot create the window: ") + Reason(GetLastError());
    return false;
  }
  return true;
}

void Win32NoticeSystem::FadeIn(int milliseconds) {
  AnimateWindow(window_, static_cast<DWORD>(milliseconds), AW_BLEND | AW_ACTIVATE);
}

void Win32NoticeSystem::ShowWithFocus() {
  SetFocus(window_);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  InvalidateRect(window_, nullptr, TRUE);
}

bool Win32NoticeSystem::PumpMessage(int* status, std::string* error) {
  MSG message;
  BOOL got = GetMessageA(&message, nullptr, 0, 0);
  if (got == -1) {
    *error = "cannot get the next message: " + Reason(GetLastError());
    *status = 1;
    return false;
  }
  if (got == 0) {
    // The C runtime ends the process with this value through ExitProcess.
    *status = static_cast<int>(message.wParam);
    return false;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

void Win32NoticeSystem::CloseWindow() { SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

void Win32NoticeSystem::PaintCentredText(const char* text) {
  // The background is the class brush's, erased by BeginPaint, or by the
  // caller of WM_PRINTCLIENT before it asks for the text.
  PAINTSTRUCT paint;
  HDC dc = print_dc_ ? print_dc_ : BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text, -1, &client, kTextFormat);
  if (!print_dc_) EndPaint(window_, &paint);
}

void Win32NoticeSystem::PostQuit(int status) { PostQuitMessage(status); }

LRESULT CALLBACK Win32NoticeSystem::WindowProc(HWND window, UINT message, WPARAM w_param,
                                               LPARAM l_param) {
  Win32NoticeSystem* system = g_system;
  if (system && window == system->window_) {
    switch (message) {
      case WM_KEYUP:
        return system->OnKeyUp(message, w_param, l_param);
      case WM_PAINT:
        return system->OnPaint();
      case WM_PRINTCLIENT:
        return system->OnPrintClient(reinterpret_cast<HDC>(w_param));
      case WM_DESTROY:
        return system->OnDestroy();
    }
  }
  return DefWindowProcA(window, message, w_param, l_param);
}

LRESULT Win32NoticeSystem::OnKeyUp(UINT message, WPARAM w_param, LPARAM l_param) {
  HWND window = window_;
  NoticeWindowProc(*this, NoticeMessage::kKeyUp);
  return DefWindowProcA(window, message, w_param, l_param);
}

LRESULT Win32NoticeSystem::OnPaint() {
  NoticeWindowProc(*this, NoticeMessage::kPaint);
  return 0;
}

// The fade draws the window through WM_PRINTCLIENT: with the text drawn
// here too, it fades in whole rather than empty.
LRESULT Win32NoticeSystem::OnPrintClient(HDC dc) {
  print_dc_ = dc;
  NoticeWindowProc(*this, NoticeMessage::kPaint);
  print_dc_ = nullptr;
  return 0;
}

LRESULT Win32NoticeSystem::OnDestroy() {
  NoticeWindowProc(*this, NoticeMessage::kDestroy);
  return 0;
}

}  // namespace

std::unique_ptr<NoticeWindowSystem> OpenNoticeWindowSystem(std::string* /*error*/) {
  return std::make_unique<Win32NoticeSystem>();
}
