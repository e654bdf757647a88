#include "order_files.h"

namespace order_console {

namespace {

constexpr int kArchiveWaitMs = 2000;
constexpr int kArchiveRetryMs = 50;

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
  path += name;
  return path;
}

}  // namespace

std::string BillEntry(std::string_view dish_line, std::string_view quantity) {
  std::string entry;
  entry.reserve(dish_line.size() + quantity.size() + 3 + kEntryBorder.size());
  entry.append(dish_line).append(" x").append(quantity).append("|").append(kEntryBorder);
  return entry;
}

DataPaths::DataPaths(std::string_view base_dir) {
  std::string folder = Join(base_dir, "file handling");
  bill = Join(folder, "bill.txt");
  history = Join(folder, "order-history.txt");
}

bool OrderFiles::Fail(const std::string& path, const std::string& reason,
                      std::string* err) const {
  *err = path + ": " + reason;
  return false;
}

void OrderFiles::OpenBill() {
  std::string reason;
  if (bill_.Open(paths_.bill, /*for_append=*/true, &reason) != IoStatus::kOk)
    Fail(paths_.bill, reason, &bill_error_);
}

bool OrderFiles::AppendBillHeader(std::string* err) {
  std::string reason;
  if (!bill_.is_open()) return Fail(paths_.bill, "not open", err);
  if (bill_.Size(&bill_start_, &reason) != IoStatus::kOk ||
      bill_.Append(kBillHeader, &reason) != IoStatus::kOk)
    return Fail(paths_.bill, reason, err);
  return true;
}

bool OrderFiles::AppendBillEntry(std::string_view dish_line, std::string_view quantity,
                                 std::string* err) {
  std::string reason;
  if (!bill_.is_open()) return Fail(paths_.bill, "not open", err);
  if (bill_.Append(BillEntry(dish_line, quantity), &reason) != IoStatus::kOk)
    return Fail(paths_.bill, reason, err);
  return true;
}

bool OrderFiles::FinishBill(std::string* bill, std::string* err) {
  std::string reason;
  uint64_t end = 0;
  if (!bill_.is_open()) return Fail(paths_.bill, "not open", err);
  if (bill_.Size(&end, &reason) != IoStatus::kOk) return Fail(paths_.bill, reason, err);
  bill->resize(static_cast<size_t>(end - bill_start_));
  size_t done = 0;
  while (done < bill->size()) {
    size_t count = 0;
    if (bill_.ReadAt(bill_start_ + done, bill->data() + done, bill->size() - done, &count,
                     &reason) != IoStatus::kOk)
      return Fail(paths_.bill, reason, err);
    if (count == 0) return Fail(paths_.bill, "shorter than written", err);
    done += count;
  }
  bill_.Close();
  return true;
}

bool OrderFiles::ArchiveBill(std::string_view bill, std::string* err) {
  std::string reason;
  HeldFile history;
  IoStatus status = history.Open(paths_.history, /*for_append=*/true, &reason);
  for (int waited = 0; status == IoStatus::kHeld && waited < kArchiveWaitMs;
       waited += kArchiveRetryMs) {
    SleepMilliseconds(kArchiveRetryMs);
    status = history.Open(paths_.history, /*for_append=*/true, &reason);
  }
  if (status != IoStatus::kOk) return Fail(paths_.history, reason, err);
  std::string record;
  record.reserve(bill.size() + kHistorySeparator.size());
  record.append(bill).append(kHistorySeparator);
  if (history.Append(record, &reason) != IoStatus::kOk)
    return Fail(paths_.history, reason, err);
  return true;
}

bool OrderFiles::ReadOrderHistory(const std::function<void(std::string_view)>& show,
                                  std::string* err) {
  std::string reason;
  HeldFile history;
  if (history.Open(paths_.history, /*for_append=*/false, &reason) != IoStatus::kOk)
    return Fail(paths_.history, reason, err);
  char piece[4096];
  for (uint64_t offset = 0;;) {
    size_t count = 0;
    if (history.ReadAt(offset, piece, sizeof piece, &count, &reason) != IoStatus::kOk)
      return Fail(paths_.history, reason, err);
    if (count == 0) return true;
    show({piece, count});
    offset += count;
  }
}

}  // namespace order_console
