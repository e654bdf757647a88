#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace order_console {

const char kPathSeparator = '/';

namespace {

std::string Reason(int error) { return strerror(error); }

class PosixConsole : public Console {
 public:
  PosixConsole() {
    // A closed output must lose the write, not end the program.
    signal(SIGPIPE, SIG_IGN);
  }

  void Write(std::string_view bytes) override { WriteAll(STDOUT_FILENO, bytes); }

  IoStatus Read(char* buffer, size_t capacity, size_t* count, std::string* err) override {
    SetLineMode();
    for (;;) {
      ssize_t n = read(STDIN_FILENO, buffer, capacity);
      if (n > 0) {
        *count = static_cast<size_t>(n);
        return IoStatus::kOk;
      }
      if (n == 0) return IoStatus::kEnd;
      if (errno == EINTR) continue;
      *err = Reason(errno);
      return IoStatus::kFailed;
    }
  }

  void WriteError(std::string_view line) override {
    WriteAll(STDERR_FILENO, line);
    WriteAll(STDERR_FILENO, "\n");
  }

 private:
  static void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
      ssize_t n = write(fd, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }

  // Canonical input with echo and signals, Enter giving a line feed. Set
  // before every read, whatever the mode was; on a pipe or file it fails
  // without effect.
  static void SetLineMode() {
    termios mode;
    if (tcgetattr(STDIN_FILENO, &mode) != 0) return;
    mode.c_lflag |= ICANON | ECHO | ISIG;
    mode.c_iflag |= ICRNL;
    tcsetattr(STDIN_FILENO, TCSANOW, &mode);
  }
};

}  // namespace

Console& StandardConsole() {
  static PosixConsole console;
  return console;
}

IoStatus HeldFile::Open(const std::string& path, bool for_append, std::string* err) {
  Close();
  int flags = (for_append ? O_RDWR | O_APPEND : O_RDONLY) | O_CLOEXEC;
  int fd;
  do {
    fd = open(path.c_str(), flags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    *err = Reason(errno);
    return errno == ENOENT ? IoStatus::kMissing : IoStatus::kFailed;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int error = errno;
    close(fd);
    if (error == EWOULDBLOCK) {
      *err = "in use by another order console";
      return IoStatus::kHeld;
    }
    *err = Reason(error);
    return IoStatus::kFailed;
  }
  handle_ = fd;
  return IoStatus::kOk;
}

IoStatus HeldFile::Size(uint64_t* size, std::string* err) {
  struct stat info;
  if (fstat(static_cast<int>(handle_), &info) != 0) {
    *err = Reason(errno);
    return IoStatus::kFailed;
  }
  *size = static_cast<uint64_t>(info.st_size);
  return IoStatus::kOk;
}

IoStatus HeldFile::Append(std::string_view bytes, std::string* err) {
  int fd = static_cast<int>(handle_);
  ssize_t n;
  do {
    n = write(fd, bytes.data(), bytes.size());
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    *err = Reason(errno);
    return IoStatus::kFailed;
  }
  if (static_cast<size_t>(n) != bytes.size()) {
    *err = "short write (disk full?)";
    return IoStatus::kFailed;
  }
  if (fdatasync(fd) != 0) {
    *err = Reason(errno);
    return IoStatus::kFailed;
  }
  return IoStatus::kOk;
}

IoStatus HeldFile::ReadAt(uint64_t offset, char* buffer, size_t capacity, size_t* count,
                          std::string* err) {
  ssize_t n;
  do {
    n = pread(static_cast<int>(handle_), buffer, capacity, static_cast<off_t>(offset));
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    *err = Reason(errno);
    return IoStatus::kFailed;
  }
  *count = static_cast<size_t>(n);
  return IoStatus::kOk;
}

void HeldFile::Close() {
  if (!is_open()) return;
  close(static_cast<int>(handle_));  // also releases the flock
  handle_ = kClosed;
}

void SleepMilliseconds(int milliseconds) {
  timespec wait{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

}  // namespace order_console
