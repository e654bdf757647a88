#ifndef ORDER_CONSOLE_ORDER_FILES_H_
#define ORDER_CONSOLE_ORDER_FILES_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform.h"

namespace order_console {

/// Opens the bill with the current run's first line.
constexpr std::string_view kBillHeader = "\r\n+-------Generated Bill-------+";
/// Closes every bill entry.
constexpr std::string_view kEntryBorder = "\r\n+----------------------------+";
/// Follows each bill archived in the order history.
constexpr std::string_view kHistorySeparator =
    "\r\n********************************************************";

/// The bytes of one bill entry: the dish's line, " x", the quantity as typed, "|" and the border.
std::string BillEntry(std::string_view dish_line, std::string_view quantity);

/// Where the data files lie: `<base>/file handling/bill.txt` and `.../order-history.txt`.
struct DataPaths {
  /// The paths inside the base folder `base_dir`.
  explicit DataPaths(std::string_view base_dir);
  std::string bill;
  std::string history;
};

/// The bill file and the order history of one run. The bill file is held
/// from OpenBill() until FinishBill(), so one order is taken at a time.
/// Every failing operation returns false and fills `err` with "<path>: <reason>".
class OrderFiles {
 public:
  explicit OrderFiles(DataPaths paths) : paths_(std::move(paths)) {}

  /// Opens and holds the bill file for appending; a failure is kept for bill_error().
  void OpenBill();
  /// Why the bill file could not be opened, or empty when it is open.
  const std::string& bill_error() const { return bill_error_; }
  /// Appends the bill header, which starts this run's bill.
  bool AppendBillHeader(std::string* err);
  /// Appends one entry to the bill, whole, with one write.
  bool AppendBillEntry(std::string_view dish_line, std::string_view quantity, std::string* err);
  /// Reads back this run's bill, from its header to the end of the file, and
  /// releases the bill file.
  bool FinishBill(std::string* bill, std::string* err);
  /// Appends `bill` and the separator to the order history with one write,
  /// waiting up to two seconds while another order console holds the file.
  bool ArchiveBill(std::string_view bill, std::string* err);
  /// Passes the whole order history, piece by piece, to `show`.
  bool ReadOrderHistory(const std::function<void(std::string_view)>& show, std::string* err);

 private:
  bool Fail(const std::string& path, const std::string& reason, std::string* err) const;

  DataPaths paths_;
  HeldFile bill_;
  std::string bill_error_;
  uint64_t bill_start_ = 0;  // where this run's header begins
};

}  // namespace order_console

#endif  // ORDER_CONSOLE_ORDER_FILES_H_
