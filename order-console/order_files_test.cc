#include "order_files.h"

#include <gtest/gtest.h>

#include <thread>

#include "test_util.h"

namespace order_console {
namespace {

TEST(BillEntryTest, IsTheDishLineQuantityAndBorder) {
  std::string entry = BillEntry("\r\n|  Roti                  |", "4");
  EXPECT_EQ(entry, "\r\n|  Roti                  | x4|\r\n+----------------------------+");
  EXPECT_EQ(entry.size(), 64u);
  EXPECT_EQ(kBillHeader.size(), 32u);
  EXPECT_EQ(kHistorySeparator.size(), 58u);
}

TEST(DataPathsTest, JoinsTheDataFolderUnderTheBase) {
  std::string sep(1, kPathSeparator);
  DataPaths paths("base" + sep);
  EXPECT_EQ(paths.bill, "base" + sep + "file handling" + sep + "bill.txt");
  EXPECT_EQ(DataPaths("base").history, "base" + sep + "file handling" + sep + "order-history.txt");
}

class OrderFilesTest : public testing::Test {
 protected:
  OrderFilesTest() : paths_(dir_.path().string()) {
    WriteFileBytes(paths_.bill, "");
    WriteFileBytes(paths_.history, "");
  }
  ScopedTempDir dir_;
  DataPaths paths_;
  std::string err_;
};

TEST_F(OrderFilesTest, BillFileIsHeldUntilTheBillIsFinished) {
  OrderFiles first(paths_), second(paths_);
  first.OpenBill();
  ASSERT_EQ(first.bill_error(), "");
  second.OpenBill();
  EXPECT_EQ(second.bill_error(), paths_.bill + ": in use by another order console");
  ASSERT_TRUE(first.AppendBillHeader(&err_)) << err_;
  std::string bill;
  ASSERT_TRUE(first.FinishBill(&bill, &err_)) << err_;
  EXPECT_EQ(bill, kBillHeader);
  OrderFiles third(paths_);
  third.OpenBill();
  EXPECT_EQ(third.bill_error(), "");
}

TEST_F(OrderFilesTest, ArchiveWaitsForAMomentaryHoldOnTheHistory) {
  HeldFile other;
  ASSERT_EQ(other.Open(paths_.history, false, &err_), IoStatus::kOk);
  std::thread release([&other] {
    SleepMilliseconds(300);
    other.Close();
  });
  OrderFiles files(paths_);
  bool archived = files.ArchiveBill("B", &err_);
  release.join();
  EXPECT_TRUE(archived) << err_;
  EXPECT_EQ(ReadFileBytes(paths_.history), "B" + std::string(kHistorySeparator));
}

TEST_F(OrderFilesTest, HistoryIsStreamedWholeInPieces) {
  std::string history;
  for (int i = 0; history.size() < 10000; ++i) history += "bill " + std::to_string(i) + "\r\n";
  WriteFileBytes(paths_.history, history);
  OrderFiles files(paths_);
  std::string shown;
  size_t pieces = 0;
  ASSERT_TRUE(files.ReadOrderHistory(
      [&](std::string_view piece) {
        shown += piece;
        ++pieces;
      },
      &err_));
  EXPECT_EQ(shown, history);
  EXPECT_GT(pieces, 1u);
}

}  // namespace
}  // namespace order_console
