// Runs the real order-console binary on the data folder it was built for.

#include <gtest/gtest.h>

#include <filesystem>

#include "order_files.h"
#include "program_cases.h"
#include "program_runner.h"
#include "test_util.h"

namespace order_console {
namespace {

class ProgramTest : public testing::Test {
 protected:
  ProgramTest() : paths_(ORDER_CONSOLE_BASE_DIR) {}
  void Reset(const std::optional<std::string>& bill, const std::optional<std::string>& history) {
    std::filesystem::create_directories(std::filesystem::path(paths_.bill).parent_path());
    WriteFileBytes(paths_.bill, bill);
    WriteFileBytes(paths_.history, history);
  }
  ProgramResult Run(const std::string& input) {
    ProgramProcess program;
    std::string err;
    EXPECT_TRUE(program.Start(ORDER_CONSOLE_EXE, &err)) << err;
    program.Send(input);
    return program.Finish();
  }
  DataPaths paths_;
};

class ProgramCaseTest : public ProgramTest, public testing::WithParamInterface<ProgramCase> {};

TEST_P(ProgramCaseTest, RunsThroughAPipe) {
  const ProgramCase& c = GetParam();
  Reset(c.bill_before, c.history_before);
  HeldFile other;
  std::string err;
  if (c.held != HeldFileName::kNone) {
    ASSERT_EQ(other.Open(c.held == HeldFileName::kBill ? paths_.bill : paths_.history, false, &err),
              IoStatus::kOk)
        << err;
  }
  ProgramResult result = Run(c.input);
  other.Close();

  EXPECT_TRUE(ScreenMatches(c.screen, result.out))
      << "expected:\n" << c.screen << "\nshown:\n" << result.out;
  EXPECT_EQ(result.status, c.status);
  if (c.error.empty()) {
    EXPECT_EQ(result.err, "");
  } else {
    EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
  }
  EXPECT_EQ(ReadFileBytes(paths_.bill), c.bill_after);
  EXPECT_EQ(ReadFileBytes(paths_.history), c.history_after);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramCaseTest, testing::ValuesIn(ProgramCases()),
                         [](const auto& run) { return run.param.name; });

TEST_F(ProgramTest, SecondConsoleIsRefusedWhileTheFirstHoldsTheBill) {
  Reset("", "");
  ProgramProcess first;
  std::string err;
  ASSERT_TRUE(first.Start(ORDER_CONSOLE_EXE, &err)) << err;
  ASSERT_TRUE(first.WaitForOutput("Enter Your Option(1-2) >", 10000));

  ProgramResult second = Run("2\n1\n1\n1\n5\n");
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.err.find("bill.txt: in use by another order console"), std::string::npos)
      << second.err;

  // The first console takes its order as usual, and releases the bill file
  // on completion. The bill then holds its order alone: the second console
  // wrote nothing (the held file itself cannot be read on every system).
  first.Send("2\n1\n2\n3\n5\n");
  ProgramResult done = first.Finish();
  EXPECT_EQ(done.status, 0) << done.err;
  std::string bill = std::string(kBillHeader) + BillEntry("\r\n|  Paneer Tikka          |", "3");
  EXPECT_EQ(ReadFileBytes(paths_.bill), bill);
  EXPECT_EQ(ReadFileBytes(paths_.history), bill + std::string(kHistorySeparator));
  EXPECT_EQ(Run("1\n1\n4\n").status, 0);
}

}  // namespace
}  // namespace order_console
