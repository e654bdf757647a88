#include "menu_flow.h"

#include <gtest/gtest.h>

#include "program_cases.h"
#include "test_util.h"

namespace order_console {
namespace {

TEST(MatchesOptionTest, WholeAnswerOnlyIgnoringCase) {
  EXPECT_TRUE(MatchesOption("1", "1"));
  EXPECT_TRUE(MatchesOption("a", "A"));
  for (const char* answer : {"", " 1", "1 ", "01", "1.", "11", "2"})
    EXPECT_FALSE(MatchesOption(answer, "1")) << '"' << answer << '"';
}

TEST(DishCatalogueTest, LinesAreTwentyEightBytes) {
  for (const Category& category : kDishCatalogue)
    for (const Dish& dish : category.dishes) EXPECT_EQ(dish.line.size(), 28u) << dish.line;
}

// Input arrives whole, as from a pipe, or a line per read, as at a terminal.
enum class Delivery { kPipe, kTerminal };

std::vector<std::string> Reads(const std::string& input, Delivery delivery) {
  if (delivery == Delivery::kPipe) return {input};
  std::vector<std::string> reads;
  for (size_t start = 0; start < input.size();) {
    size_t end = input.find('\n', start);
    end = end == std::string::npos ? input.size() : end + 1;
    reads.push_back(input.substr(start, end - start));
    start = end;
  }
  return reads;
}

class MenuFlowTest : public testing::TestWithParam<std::tuple<ProgramCase, Delivery>> {};

TEST_P(MenuFlowTest, RunsTheCase) {
  const auto& [c, delivery] = GetParam();
  ScopedTempDir dir;
  DataPaths paths(dir.path().string());
  WriteFileBytes(paths.bill, c.bill_before);
  WriteFileBytes(paths.history, c.history_before);
  HeldFile other;
  std::string err;
  if (c.held != HeldFileName::kNone) {
    ASSERT_EQ(other.Open(c.held == HeldFileName::kBill ? paths.bill : paths.history, false, &err),
              IoStatus::kOk);
  }

  ScriptedConsole console(Reads(c.input, delivery));
  int status = 0;
  {
    // The end of the run releases the bill file, as the program's end does;
    // a held file could not be read back on every system.
    OrderFiles files(paths);
    status = RunMenuFlow(console, files);
  }
  other.Close();

  EXPECT_TRUE(ScreenMatches(c.screen, console.shown))
      << "expected:\n" << c.screen << "\nshown:\n" << console.shown;
  EXPECT_EQ(status, c.status);
  if (c.error.empty()) {
    EXPECT_EQ(console.errors, "");
  } else {
    EXPECT_NE(console.errors.find(c.error), std::string::npos) << console.errors;
  }
  EXPECT_EQ(ReadFileBytes(paths.bill), c.bill_after);
  EXPECT_EQ(ReadFileBytes(paths.history), c.history_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuFlowTest,
    testing::Combine(testing::ValuesIn(ProgramCases()),
                     testing::Values(Delivery::kPipe, Delivery::kTerminal)),
    [](const auto& run) {
      return std::get<0>(run.param).name +
             (std::get<1>(run.param) == Delivery::kPipe ? "_Pipe" : "_Terminal");
    });

TEST(MenuFlowFailureTest, UnreadableInputEndsTheRunWithStatusOne) {
  ScopedTempDir dir;
  DataPaths paths(dir.path().string());
  WriteFileBytes(paths.bill, "");
  WriteFileBytes(paths.history, "");
  ScriptedConsole console({"2\n"});
  console.fail_at_end = true;
  OrderFiles files(paths);
  EXPECT_EQ(RunMenuFlow(console, files), 1);
  EXPECT_EQ(console.errors, "order-console: standard input: scripted failure\n");
}

}  // namespace
}  // namespace order_console
