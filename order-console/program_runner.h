#ifndef ORDER_CONSOLE_PROGRAM_RUNNER_H_
#define ORDER_CONSOLE_PROGRAM_RUNNER_H_

#include <string>
#include <string_view>

namespace order_console {

/// What a finished run of a program left.
struct ProgramResult {
  std::string out;    ///< all of standard output
  std::string err;    ///< all of standard error
  int status = -1;    ///< exit status; -1 when it did not end normally
};

/// A real program run with its standard input, output and error on pipes.
/// Each platform defines it in a file of its own.
class ProgramProcess {
 public:
  ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;
  /// Kills the program if it still runs.
  ~ProgramProcess();

  /// Starts `exe` with no arguments.
  bool Start(const std::string& exe, std::string* err);
  /// Writes `bytes` to the program's standard input.
  void Send(std::string_view bytes);
  /// Waits up to `timeout_ms` until standard output holds `text`.
  bool WaitForOutput(std::string_view text, int timeout_ms);
  /// Closes standard input, waits for the program to end and returns all it wrote.
  ProgramResult Finish();

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace order_console

#endif  // ORDER_CONSOLE_PROGRAM_RUNNER_H_
