#include "test_util.h"

#include <chrono>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

namespace order_console {

IoStatus ScriptedConsole::Read(char* buffer, size_t capacity, size_t* count, std::string* err) {
  if (next_ == reads_.size()) {
    if (!fail_at_end) return IoStatus::kEnd;
    *err = "scripted failure";
    return IoStatus::kFailed;
  }
  std::string& read = reads_[next_];
  size_t n = std::min(capacity, read.size());
  memcpy(buffer, read.data(), n);
  read.erase(0, n);
  if (read.empty()) ++next_;
  *count = n;
  return IoStatus::kOk;
}

ScopedTempDir::ScopedTempDir() {
  std::random_device seed;
  path_ = std::filesystem::temp_directory_path() /
          ("order-console-test-" + std::to_string(seed()) + "-" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::filesystem::create_directories(path_);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::optional<std::string>& bytes) {
  if (!bytes) {
    std::filesystem::remove(path);
    return;
  }
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << *bytes;
}

}  // namespace order_console
