#ifndef ORDER_CONSOLE_PLATFORM_H_
#define ORDER_CONSOLE_PLATFORM_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The few operating-system calls order-console makes. Each platform defines
// them in a file of its own (platform-posix.cc, platform-win32.cc).

namespace order_console {

/// How one console or file operation ended.
enum class IoStatus {
  kOk,       ///< Done.
  kEnd,      ///< End of input: nothing more will come.
  kMissing,  ///< The file does not exist.
  kHeld,     ///< Another program holds the file.
  kFailed,   ///< Any other failure; the message says why.
};

/// The process's standard input, output and error.
class Console {
 public:
  virtual ~Console() = default;
  /// Writes all of `bytes` to standard output; on a closed or failed output they are lost.
  virtual void Write(std::string_view bytes) = 0;
  /// Puts a terminal into line mode with echo, then reads once, at most `capacity` bytes.
  virtual IoStatus Read(char* buffer, size_t capacity, size_t* count, std::string* err) = 0;
  /// Writes `line` and a line end to standard error.
  virtual void WriteError(std::string_view line) = 0;
};

/// This process's own console.
Console& StandardConsole();

/// An existing file, opened with a hold that keeps other order consoles out
/// of it until it is closed.
class HeldFile {
 public:
  HeldFile() = default;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { Close(); }

  /// Opens `path`, which must exist, for reading, or for reading and appending.
  IoStatus Open(const std::string& path, bool for_append, std::string* err);
  /// Whether a file is open.
  bool is_open() const { return handle_ != kClosed; }
  /// The file's current size in bytes.
  IoStatus Size(uint64_t* size, std::string* err);
  /// Appends `bytes` with one write call and flushes them to stable storage.
  IoStatus Append(std::string_view bytes, std::string* err);
  /// Reads at most `capacity` bytes from `offset`; a count of 0 means end of file.
  IoStatus ReadAt(uint64_t offset, char* buffer, size_t capacity, size_t* count,
                  std::string* err);
  /// Releases the file and its hold; harmless when none is open.
  void Close();

 private:
  static constexpr intptr_t kClosed = -1;
  intptr_t handle_ = kClosed;  // a file descriptor or a HANDLE
};

/// Separator between the parts of a file path.
extern const char kPathSeparator;

/// Waits `milliseconds`.
void SleepMilliseconds(int milliseconds);

}  // namespace order_console

#endif  // ORDER_CONSOLE_PLATFORM_H_
