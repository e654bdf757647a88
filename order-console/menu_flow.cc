#include "menu_flow.h"

#include <string>

#include "console_io.h"

namespace order_console {

namespace {

constexpr std::string_view kWelcomeMenu =
    "\r\nWelcome to Dinevo"
    "\r\n+-------------------------+"
    "\r\n| 1. Restaurant Admin     |"
    "\r\n| 2. Order Food           |"
    "\r\n+-------------------------+"
    "\r\nEnter Your Option(1-2) >";

constexpr std::string_view kAdminMenu =
    "\r\nWelcome to Restaurant Admin"
    "\r\n+-------------------------+"
    "\r\n| 1. Order History        |"
    "\r\n| 2. Restocking           |"
    "\r\n| 3. Price Adjustment     |"
    "\r\n| 4. Exit                 |"
    "\r\n+-------------------------+"
    "\r\nEnter Your Option(1-4) >";

constexpr std::string_view kOrderingMenu =
    "\r\nWelcome to Zel Restaurant"
    "\r\n+-------------------------+"
    "\r\n| 1. Starters             |"
    "\r\n| 2. Main Course          |"
    "\r\n| 3. Bread                |"
    "\r\n| 4. Desert               |"
    "\r\n| 5. Complete Order       |"
    "\r\n| 6. Exit                 |"
    "\r\n+-------------------------+"
    "\r\nEnter Your Option(1-6) >";

constexpr std::string_view kPricePrefix = "Rs ";
constexpr std::string_view kCategoryBorder = "\r\n+-------------------------+";
constexpr std::string_view kDishPrompt = "\r\nEnter Your Option(1-3) >";
constexpr std::string_view kQuantityPrompt = "\r\nEnter Your Quantity >";
constexpr std::string_view kHistoryUnreadable = "\r\nThe order history cannot be read: ";

constexpr std::array<std::string_view, 6> kOptions = {"1", "2", "3", "4", "5", "6"};

constexpr int kCompleteOrder = 4;  // index of "5" in kOptions
constexpr int kExitOrdering = 5;   // index of "6"
constexpr int kExitAdmin = 3;      // index of "4"

// Each prompt keeps its own answer, as typed there last.
struct Answers {
  AnswerBuffer welcome;
  AnswerBuffer admin;
  AnswerBuffer ordering;
  std::array<AnswerBuffer, 4> dish;
  std::array<AnswerBuffer, 4> quantity;
};

// The first of `count` options that `answer` matches, or -1.
int OptionIndex(std::string_view answer, int count) {
  for (int i = 0; i < count; ++i)
    if (MatchesOption(answer, kOptions[static_cast<size_t>(i)])) return i;
  return -1;
}

// One run of the menus; each step returns false when the run is over, with
// status_ holding the exit status.
class MenuFlow {
 public:
  MenuFlow(Console& console, OrderFiles& files)
      : console_(console), files_(files), reader_(console) {}

  int Run() {
    files_.OpenBill();
    PrintText(console_, kWelcomeMenu);
    if (!Read(&answers_.welcome)) return status_;
    if (MatchesOption(answers_.welcome.text(), "1")) {
      while (AdminMenu()) {
      }
      return status_;
    }
    if (!StartOrder()) return status_;
    while (OrderingMenu()) {
    }
    return status_;
  }

 private:
  bool Read(AnswerBuffer* answer) {
    std::string err;
    switch (reader_.ReadLine(answer, &err)) {
      case ReadOutcome::kAnswered:
        return true;
      case ReadOutcome::kEnd:
        return End(0);
      case ReadOutcome::kFailed:
        return Fail("standard input: " + err);
    }
    return false;
  }

  bool End(int status) {
    status_ = status;
    return false;
  }

  bool Fail(const std::string& message) {
    console_.WriteError("order-console: " + message);
    return End(1);
  }

  bool StartOrder() {
    if (!files_.bill_error().empty()) return Fail(files_.bill_error());
    std::string err;
    if (!files_.AppendBillHeader(&err)) return Fail(err);
    return true;
  }

  bool AdminMenu() {
    PrintText(console_, kAdminMenu);
    if (!Read(&answers_.admin)) return false;
    if (OptionIndex(answers_.admin.text(), 4) == kExitAdmin) return End(0);
    std::string err;
    if (!files_.ReadOrderHistory([this](std::string_view piece) { PrintStoredText(console_, piece); },
                                 &err)) {
      PrintText(console_, kHistoryUnreadable);
      PrintStoredText(console_, err);
    }
    return true;
  }

  bool OrderingMenu() {
    PrintText(console_, kOrderingMenu);
    if (!Read(&answers_.ordering)) return false;
    int option = OptionIndex(answers_.ordering.text(), 6);
    if (option == kCompleteOrder) return CompleteOrder();
    if (option == kExitOrdering) return End(0);
    // Anything unrecognised shows the starters.
    return RunCategoryScreen(option < 0 ? 0 : static_cast<size_t>(option));
  }

  bool RunCategoryScreen(size_t index) {
    const Category& category = kDishCatalogue[index];
    PrintText(console_, category.heading);
    for (const Dish& dish : category.dishes) {
      PrintText(console_, dish.line);
      PrintText(console_, kPricePrefix);
      PrintText(console_, dish.price);
    }
    PrintText(console_, kCategoryBorder);
    PrintText(console_, kDishPrompt);
    if (!Read(&answers_.dish[index])) return false;
    PrintText(console_, kQuantityPrompt);
    if (!Read(&answers_.quantity[index])) return false;
    int choice = OptionIndex(answers_.dish[index].text(), 3);
    if (choice < 0) return true;
    std::string err;
    if (!files_.AppendBillEntry(category.dishes[static_cast<size_t>(choice)].line,
                                answers_.quantity[index].text(), &err))
      return Fail(err);
    return true;
  }

  bool CompleteOrder() {
    std::string bill, err;
    if (!files_.FinishBill(&bill, &err)) return Fail(err);
    PrintStoredText(console_, bill);
    if (!files_.ArchiveBill(bill, &err)) return Fail(err);
    return End(0);
  }

  Console& console_;
  OrderFiles& files_;
  LineReader reader_;
  Answers answers_;
  int status_ = 0;
};

}  // namespace

const std::array<Category, 4> kDishCatalogue = {{
    {"\r\n         Starters          \r\n+ -------------------------+",
     {{{"\r\n|  Malai Chaap           |", "100"},
       {"\r\n|  Paneer Tikka          |", "200"},
       {"\r\n|  Chicken Tandoori      |", "300"}}}},
    {"\r\n       Main Cousre        \r\n+-------------------------+",
     {{{"\r\n|  Dal Makhani           |", "300"},
       {"\r\n|  Paneer Tikka Masala   |", "400"},
       {"\r\n|  Butter Chicken        |", "600"}}}},
    {"\r\n       Breads         \r\n+-------------------------+",
     {{{"\r\n|  Roti                  |", "10"},
       {"\r\n|  Butter Naan           |", "90"},
       {"\r\n|  Tandoori Parantha     |", "110"}}}},
    {"\r\n        Desert             \r\n+-------------------------+",
     {{{"\r\n|  Lassi                 |", "60"},
       {"\r\n|  Choco Lava Cake       |", "120"},
       {"\r\n|  Rasmalai(2pcs)        |", "150"}}}},
}};

bool MatchesOption(std::string_view answer, std::string_view option) {
  if (answer.size() != option.size()) return false;
  for (size_t i = 0; i < answer.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(answer[i]) != lower(option[i])) return false;
  }
  return true;
}

int RunMenuFlow(Console& console, OrderFiles& files) { return MenuFlow(console, files).Run(); }

}  // namespace order_console
