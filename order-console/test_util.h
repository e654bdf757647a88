#ifndef ORDER_CONSOLE_TEST_UTIL_H_
#define ORDER_CONSOLE_TEST_UTIL_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace order_console {

/// A console that hands out scripted reads and records what is written.
class ScriptedConsole : public Console {
 public:
  /// Each string is what one read delivers; after the last, reads give end of input.
  explicit ScriptedConsole(std::vector<std::string> reads) : reads_(std::move(reads)) {}
  void Write(std::string_view bytes) override { shown += bytes; }
  IoStatus Read(char* buffer, size_t capacity, size_t* count, std::string* err) override;
  void WriteError(std::string_view line) override { (errors += line) += '\n'; }

  std::string shown;   ///< all of standard output
  std::string errors;  ///< all of standard error
  /// Set to make the next read fail instead of ending input.
  bool fail_at_end = false;

 private:
  std::vector<std::string> reads_;
  size_t next_ = 0;
};

/// A fresh folder under the system's temporary folder, removed at the end of the test.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// The whole content of `path`, or nullopt when it does not exist.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
/// Replaces `path` with `bytes`, or removes it when `bytes` is nullopt.
void WriteFileBytes(const std::filesystem::path& path, const std::optional<std::string>& bytes);

}  // namespace order_console

#endif  // ORDER_CONSOLE_TEST_UTIL_H_
