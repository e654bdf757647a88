#include "console_io.h"

#include <algorithm>

namespace order_console {

ReadOutcome LineReader::ReadLine(AnswerBuffer* answer, std::string* err) {
  size_t length = 0;
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
    while (start_ < end_) {
      char c = pending_[start_++];
      if (c == '\n' && after_cr_) {  // the second half of a CR LF
        after_cr_ = false;
        continue;
      }
      after_cr_ = c == '\r';
      any = true;
      if (c == '\n' || c == '\r') {
        answer->length_ = length;
        return ReadOutcome::kAnswered;
      }
      if (length < AnswerBuffer::kCapacity) answer->bytes_[length++] = c;
    }
  }
  answer->length_ = length;
  return ReadOutcome::kAnswered;
}

void PrintText(Console& console, std::string_view text) { console.Write(text); }

void PrintStoredText(Console& console, std::string_view text) {
  char shown[4096];
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
