// Drives the real order-console binary at a pseudo-terminal, as a person
// typing at it would.

#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "order_files.h"
#include "program_cases.h"
#include "test_util.h"

namespace order_console {
namespace {

// The program on the slave side of a pseudo-terminal that starts raw: no
// echo, no line mode, no output processing, so the program must set its own
// line mode, and the screen read here is the exact bytes written and echoed.
class Terminal {
 public:
  Terminal() {
    termios raw{};
    raw.c_cc[VINTR] = 0x03;   // Ctrl+C
    raw.c_cc[VEOF] = 0x04;    // Ctrl+D
    raw.c_cc[VERASE] = 0x7f;  // Backspace
    raw.c_cc[VKILL] = 0x15;   // Ctrl+U
    raw.c_cc[VMIN] = 1;
    cfmakeraw(&raw);
    winsize size{24, 80, 0, 0};
    pid_ = forkpty(&master_, nullptr, &raw, &size);
    if (pid_ == 0) {
      execl(ORDER_CONSOLE_EXE, ORDER_CONSOLE_EXE, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(master_);
  }

  /// Waits until the screen holds `text` once more than `seen` times.
  bool WaitFor(const std::string& text) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      size_t at = screen_.find(text, searched_);
      if (at != std::string::npos) {
        searched_ = at + text.size();
        return true;
      }
      if (std::chrono::steady_clock::now() > deadline || !ReadSome()) return false;
    }
  }
  /// Types `keys` at the terminal once the program has put it in line mode,
  /// as a person who waits for the prompt would.
  void Type(const std::string& keys) {
    for (int tries = 0; tries < 500 && !InLineMode(); ++tries) usleep(10000);
    EXPECT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  /// Waits for the program to end and returns its exit status.
  int Wait() {
    while (ReadSome()) {
    }
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  /// Ends the program at once, as a power cut or kill -9 would.
  void Kill() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  const std::string& screen() const { return screen_; }

 private:
  // The mode is the slave side's; the master has one of its own.
  bool InLineMode() {
    int slave = open(ptsname(master_), O_RDWR | O_NOCTTY);
    termios mode;
    bool line_mode = slave >= 0 && tcgetattr(slave, &mode) == 0 &&
                     (mode.c_lflag & (ICANON | ECHO)) == (ICANON | ECHO) && (mode.c_iflag & ICRNL);
    if (slave >= 0) close(slave);
    return line_mode;
  }

  bool ReadSome() {
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, 200) == 0) return true;
    char buffer[4096];
    ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return errno == EINTR;
    screen_.append(buffer, static_cast<size_t>(n));
    return true;
  }

  pid_t pid_ = -1;
  int master_ = -1;
  std::string screen_;
  size_t searched_ = 0;
};

class TerminalTest : public testing::Test {
 protected:
  TerminalTest() : paths_(ORDER_CONSOLE_BASE_DIR) {
    std::filesystem::create_directories(std::filesystem::path(paths_.bill).parent_path());
    WriteFileBytes(paths_.bill, "");
    WriteFileBytes(paths_.history, "");
  }
  DataPaths paths_;
  const std::string kOptionPrompt = "Enter Your Option(1-6) >";
};

TEST_F(TerminalTest, OrderTypedWithEchoAndLineEditing) {
  Terminal terminal;
  ASSERT_TRUE(terminal.WaitFor(WelcomeScreen()));
  terminal.Type("2\r");
  ASSERT_TRUE(terminal.WaitFor(kOptionPrompt));
  terminal.Type("1\r");
  ASSERT_TRUE(terminal.WaitFor("Enter Your Option(1-3) >"));
  terminal.Type("9\x7f" "2\r");  // a typo, erased before Enter
  ASSERT_TRUE(terminal.WaitFor(QuantityPrompt()));
  terminal.Type("3\r");
  ASSERT_TRUE(terminal.WaitFor(kOptionPrompt));
  terminal.Type("5\r");
  EXPECT_EQ(terminal.Wait(), 0);

  std::string bill = std::string(kBillHeader) + BillEntry("\r\n|  Paneer Tikka          |", "3");
  EXPECT_EQ(ReadFileBytes(paths_.bill), bill);
  EXPECT_EQ(ReadFileBytes(paths_.history), bill + std::string(kHistorySeparator));
  // Each answer is echoed on its prompt's line, the bill shown at the end.
  const std::string& screen = terminal.screen();
  EXPECT_EQ(screen.substr(0, WelcomeScreen().size() + 2), WelcomeScreen() + "2\n");
  EXPECT_NE(screen.find(CategoryScreen(1) + "9"), std::string::npos) << screen;
  EXPECT_NE(screen.find(QuantityPrompt() + "3\n" + OrderingScreen() + "5\n" + bill), std::string::npos)
      << screen;
}

TEST_F(TerminalTest, EndOfInputKeyEndsTheRun) {
  Terminal terminal;
  ASSERT_TRUE(terminal.WaitFor(WelcomeScreen()));
  terminal.Type("2\r");
  ASSERT_TRUE(terminal.WaitFor(kOptionPrompt));
  terminal.Type("\x04");  // Ctrl+D on an empty line
  EXPECT_EQ(terminal.Wait(), 0);
  EXPECT_EQ(ReadFileBytes(paths_.bill), std::string(kBillHeader));
}

TEST_F(TerminalTest, KilledBetweenPicksLeavesOnlyWholeRecords) {
  Terminal terminal;
  ASSERT_TRUE(terminal.WaitFor(WelcomeScreen()));
  terminal.Type("2\r");
  std::string expected(kBillHeader);
  for (const char* quantity : {"1", "2"}) {
    ASSERT_TRUE(terminal.WaitFor(kOptionPrompt));
    terminal.Type("3\r1\r");
    ASSERT_TRUE(terminal.WaitFor(QuantityPrompt()));
    terminal.Type(std::string(quantity) + "\r");
    expected += BillEntry("\r\n|  Roti                  |", quantity);
  }
  ASSERT_TRUE(terminal.WaitFor(kOptionPrompt));
  terminal.Kill();
  EXPECT_EQ(ReadFileBytes(paths_.bill), expected);
  EXPECT_EQ(ReadFileBytes(paths_.history), "");
}

// Standard output is a pipe whose reader has gone: every screen is lost, but
// the order is still taken and archived and the run ends normally.
TEST_F(TerminalTest, ClosedOutputLosesScreensButNotTheOrder) {
  int input[2], output[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(pipe(output), 0);
  close(output[0]);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(input[0], STDIN_FILENO);
    dup2(output[1], STDOUT_FILENO);
    close(input[1]);
    execl(ORDER_CONSOLE_EXE, ORDER_CONSOLE_EXE, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  std::string typed = "2\n3\n1\n4\n5\n";
  EXPECT_EQ(write(input[1], typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
  close(input[1]);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string bill = std::string(kBillHeader) + BillEntry("\r\n|  Roti                  |", "4");
  EXPECT_EQ(ReadFileBytes(paths_.history), bill + std::string(kHistorySeparator));
}

}  // namespace
}  // namespace order_console
