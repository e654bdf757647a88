#ifndef ORDER_CONSOLE_CONSOLE_IO_H_
#define ORDER_CONSOLE_CONSOLE_IO_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform.h"

namespace order_console {

/// One answer typed at a prompt: the first 50 bytes at most of one line.
class AnswerBuffer {
 public:
  static constexpr size_t kCapacity = 50;
  /// The answer's bytes.
  std::string_view text() const { return {bytes_, length_}; }

 private:
  friend class LineReader;
  char bytes_[kCapacity] = {};
  size_t length_ = 0;
};

/// How reading an answer ended.
enum class ReadOutcome {
  kAnswered,  ///< The buffer holds a new answer.
  kEnd,       ///< Input is at its end; nothing was typed.
  kFailed,    ///< Input could not be read; the message says why.
};

/// Cuts console input into answers, one line each; a line ends at CR LF, CR
/// or LF. Bytes read past the end of a line are kept for the next prompt, so
/// each prompt gets the next line on a pipe as at a terminal; the tail of an
/// over-long line is dropped.
class LineReader {
 public:
  explicit LineReader(Console& console) : console_(console) {}
  /// Reads the next line into `answer`. A last line without a line end still
  /// counts as a line.
  ReadOutcome ReadLine(AnswerBuffer* answer, std::string* err);

 private:
  Console& console_;
  char pending_[512];
  size_t start_ = 0;
  size_t end_ = 0;
  bool after_cr_ = false;  // the last byte taken ended a line with CR
};

/// Writes `text` exactly as it is.
void PrintText(Console& console, std::string_view text);

/// Writes `text` read back from a data file, each control byte but CR, LF
/// and TAB shown as '?', so stored bytes cannot drive the terminal.
void PrintStoredText(Console& console, std::string_view text);

}  // namespace order_console

#endif  // ORDER_CONSOLE_CONSOLE_IO_H_
