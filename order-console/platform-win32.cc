#include "platform.h"

#include <windows.h>

namespace order_console {

const char kPathSeparator = '\\';

namespace {

// ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT: the console
// collects a whole line with its own editing and echo.
constexpr DWORD kLineMode = 7;

// The largest count one ReadFile or WriteFile call takes.
constexpr size_t kMaxTransfer = 1u << 30;

// The system's text for `error`, without the line end it comes with.
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

void WriteAll(DWORD which, std::string_view bytes) {
  HANDLE out = GetStdHandle(which);
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(bytes.size() < kMaxTransfer ? bytes.size() : kMaxTransfer);
    if (!WriteFile(out, bytes.data(), size, &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

class Win32Console : public Console {
 public:
  void Write(std::string_view bytes) override { WriteAll(STD_OUTPUT_HANDLE, bytes); }

  IoStatus Read(char* buffer, size_t capacity, size_t* count, std::string* err) override {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    // Set before every read, whatever the mode was; on a pipe or file it
    // fails without effect.
    SetConsoleMode(in, kLineMode);
    DWORD size = static_cast<DWORD>(capacity < kMaxTransfer ? capacity : kMaxTransfer);
    DWORD n = 0;
    if (!ReadFile(in, buffer, size, &n, nullptr)) {
      DWORD error = GetLastError();
      // The writing end of a pipe closed: the input is over.
      if (error == ERROR_BROKEN_PIPE) return IoStatus::kEnd;
      *err = Reason(error);
      return IoStatus::kFailed;
    }
    if (n == 0) return IoStatus::kEnd;
    *count = n;
    return IoStatus::kOk;
  }

  void WriteError(std::string_view line) override {
    WriteAll(STD_ERROR_HANDLE, line);
    WriteAll(STD_ERROR_HANDLE, "\n");
  }
};

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Moves the file pointer of `file` to `offset` from `method`'s origin and
// gives the position reached.
bool Seek(HANDLE file, uint64_t offset, DWORD method, uint64_t* position) {
  LONG high = static_cast<LONG>(offset >> 32);
  // A low part of all ones is also a valid position: only the error code tells.
  SetLastError(NO_ERROR);
  DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xffffffffu), &high, method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
  *position = (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
  return true;
}

}  // namespace

Console& StandardConsole() {
  static Win32Console console;
  return console;
}

IoStatus HeldFile::Open(const std::string& path, bool for_append, std::string* err) {
  Close();
  // The bill is read back through the handle it is written with, so an
  // append handle reads too. Share mode 0 is the hold: no other opener gets
  // the file while this handle lives.
  DWORD access = for_append ? FILE_READ_DATA | FILE_WRITE_DATA : FILE_READ_DATA;
  HANDLE file = CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
      *err = "in use by another order console";
      return IoStatus::kHeld;
    }
    *err = Reason(error);
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? IoStatus::kMissing
                                                                          : IoStatus::kFailed;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  return IoStatus::kOk;
}

IoStatus HeldFile::Size(uint64_t* size, std::string* err) {
  // The end of the file is where the next append lands anyway.
  if (!Seek(AsHandle(handle_), 0, FILE_END, size)) {
    *err = Reason(GetLastError());
    return IoStatus::kFailed;
  }
  return IoStatus::kOk;
}

IoStatus HeldFile::Append(std::string_view bytes, std::string* err) {
  HANDLE file = AsHandle(handle_);
  uint64_t end = 0;
  if (!Seek(file, 0, FILE_END, &end)) {
    *err = Reason(GetLastError());
    return IoStatus::kFailed;
  }
  if (bytes.size() > kMaxTransfer) {
    *err = "record too large";
    return IoStatus::kFailed;
  }
  DWORD written = 0;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    *err = Reason(GetLastError());
    return IoStatus::kFailed;
  }
  if (written != bytes.size()) {
    *err = "short write (disk full?)";
    return IoStatus::kFailed;
  }
  if (!FlushFileBuffers(file)) {
    *err = Reason(GetLastError());
    return IoStatus::kFailed;
  }
  return IoStatus::kOk;
}

IoStatus HeldFile::ReadAt(uint64_t offset, char* buffer, size_t capacity, size_t* count,
                          std::string* err) {
  HANDLE file = AsHandle(handle_);
  uint64_t position = 0;
  DWORD n = 0;
  DWORD size = static_cast<DWORD>(capacity < kMaxTransfer ? capacity : kMaxTransfer);
  if (!Seek(file, offset, FILE_BEGIN, &position) || !ReadFile(file, buffer, size, &n, nullptr)) {
    *err = Reason(GetLastError());
    return IoStatus::kFailed;
  }
  *count = n;
  return IoStatus::kOk;
}

void HeldFile::Close() {
  if (!is_open()) return;
  CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
}

void SleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

}  // namespace order_console
