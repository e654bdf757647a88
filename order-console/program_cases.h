#ifndef ORDER_CONSOLE_PROGRAM_CASES_H_
#define ORDER_CONSOLE_PROGRAM_CASES_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace order_console {

/// Stands in an expected screen for any run of bytes (a path, a system's reason).
constexpr char kAnyText[] = "\x01";

/// Which data file another order console holds during a run.
enum class HeldFileName { kNone, kBill, kHistory };

/// One whole run of the console: the data files before it, the lines typed,
/// and everything it must leave behind, byte for byte.
struct ProgramCase {
  std::string name;
  std::optional<std::string> bill_before;     ///< nullopt: the file is missing
  std::optional<std::string> history_before;  ///< nullopt: the file is missing
  std::string input;                          ///< all of standard input
  std::string screen;                         ///< all of standard output
  std::optional<std::string> bill_after;
  std::optional<std::string> history_after;
  int status = 0;
  std::string error;  ///< a text standard error must hold; empty: it must be empty
  HeldFileName held = HeldFileName::kNone;
};

/// Whether `actual` is `expected`, where each kAnyText stands for any bytes.
bool ScreenMatches(const std::string& expected, const std::string& actual);

/// Names a case in test output.
inline void PrintTo(const ProgramCase& c, std::ostream* os) { *os << c.name; }

/// The cases shared by the in-process tests and the tests of the real binary.
const std::vector<ProgramCase>& ProgramCases();

/// A screen text of the console, written out independently of the program.
std::string WelcomeScreen();
std::string OrderingScreen();
std::string AdminScreen();
/// Category `n` (1 to 4) up to its dish prompt.
std::string CategoryScreen(int n);
/// The quantity prompt.
std::string QuantityPrompt();

}  // namespace order_console

#endif  // ORDER_CONSOLE_PROGRAM_CASES_H_
