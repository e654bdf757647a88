#include "console_io.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace order_console {
namespace {

struct LineCase {
  const char* name;
  std::vector<std::string> reads;     // what each console read delivers
  std::vector<std::string> answers;   // the answers, in order, before end of input
};

class LineReaderTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineReaderTest, CutsInputIntoAnswers) {
  ScriptedConsole console(GetParam().reads);
  LineReader reader(console);
  std::vector<std::string> answers;
  AnswerBuffer answer;
  std::string err;
  ReadOutcome outcome;
  while ((outcome = reader.ReadLine(&answer, &err)) == ReadOutcome::kAnswered)
    answers.emplace_back(answer.text());
  EXPECT_EQ(outcome, ReadOutcome::kEnd);
  EXPECT_EQ(answers, GetParam().answers);
}

const std::string k49(49, 'a'), k50(50, 'b');

INSTANTIATE_TEST_SUITE_P(
    Lines, LineReaderTest,
    testing::Values(
        LineCase{"EnterAloneIsEmpty", {"\n"}, {""}},
        LineCase{"TerminalLines", {"1\n", "2\n"}, {"1", "2"}},
        LineCase{"PipeGivesEachPromptTheNextLine", {"1\n2\n\n3\n"}, {"1", "2", "", "3"}},
        LineCase{"CarriageReturnEndsTheLine", {"1\r\n2\rnext\n"}, {"1", "2", "next"}},
        LineCase{"LineEndSplitAcrossReads", {"1\r", "\n2\r", "\r\n"}, {"1", "2", ""}},
        LineCase{"BlanksAndCaseAreKept", {" 1 \nAbC\n"}, {" 1 ", "AbC"}},
        LineCase{"Line49", {k49 + "\r\nnext\n"}, {k49, "next"}},
        LineCase{"Line50", {k50 + "\r\nnext\n"}, {k50, "next"}},
        LineCase{"LongLineTailIsDropped", {k50 + "5\n6\n"}, {k50, "6"}},
        LineCase{"LineSplitAcrossReads", {"Pan", "eer\n", "x"}, {"Paneer", "x"}},
        LineCase{"LongerThanOneRead", {std::string(700, 'z') + "\n1\n"}, {std::string(50, 'z'), "1"}},
        LineCase{"LastLineWithoutLineEnd", {"1\n5"}, {"1", "5"}},
        LineCase{"NothingAtAll", {}, {}}),
    [](const testing::TestParamInfo<LineCase>& line) { return line.param.name; });

TEST(LineReaderTest, ReportsAFailedRead) {
  ScriptedConsole console({"1\n"});
  console.fail_at_end = true;
  LineReader reader(console);
  AnswerBuffer answer;
  std::string err;
  EXPECT_EQ(reader.ReadLine(&answer, &err), ReadOutcome::kAnswered);
  EXPECT_EQ(reader.ReadLine(&answer, &err), ReadOutcome::kFailed);
  EXPECT_EQ(err, "scripted failure");
}

TEST(PrintStoredTextTest, ShowsControlBytesButLineEndsAndTabsAsQuestionMarks) {
  ScriptedConsole console({});
  std::string stored("a\r\n\tb\x1b[31m\x07\x7f\x00z\xc3\xa9", 16);
  stored += std::string(5000, '\x1b');  // longer than one piece
  PrintStoredText(console, stored);
  EXPECT_EQ(console.shown, "a\r\n\tb?[31m???z\xc3\xa9" + std::string(5000, '?'));
}

}  // namespace
}  // namespace order_console
