#include "console_io.h"

#include <algorithm>

namespace order_console {

ReadOutcome LineReader::ReadLine(AnswerBuffer* answer, std::string* err) {
  size_t length = 0;
  bool cut = false;  // past a CR or the 50th byte: the rest of the line is dropped
  bool any = false;  // some byte of this line has arrived
  for (;;) {
    if (start_ == end_) {
      size_t count = 0;
      IoStatus status = console_.Read(pending_, sizeof pending_, &count, err);
      if (status == IoStatus::kEnd || (status == IoStatus::kOk && count == 0)) {
        if (!any) return ReadOutcome::kEnd;
        break;
      }
      if (status != IoStatus::kOk) return ReadOutcome::kFailed;
      start_ = 0;
      end_ = count;
    }
    any = true;
    while (start_ < end_) {
      char c = pending_[start_++];
      if (c == '\n') {
        answer->length_ = length;
        return ReadOutcome::kAnswered;
      }
      if (cut) continue;
      if (c == '\r' || length == AnswerBuffer::kCapacity) {
        cut = true;
        continue;
      }
      answer->bytes_[length++] = c;
    }
  }
  answer->length_ = length;
  return ReadOutcome::kAnswered;
}

void PrintText(Console& console, std::string_view text) { console.Write(text); }

void PrintStoredText(Console& console, std::string_view text) {
  char shown[256];
  while (!text.empty()) {
    size_t n = std::min(text.size(), sizeof shown);
    for (size_t i = 0; i < n; ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      bool control = c < 0x20 || c == 0x7f;
      shown[i] = control && c != '\r' && c != '\n' && c != '\t' ? '?' : text[i];
    }
    console.Write({shown, n});
    text.remove_prefix(n);
  }
}

}  // namespace order_console
