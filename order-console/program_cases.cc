#include "program_cases.h"

#include <string_view>

namespace order_console {

namespace {

const std::string kHeader = "\r\n+-------Generated Bill-------+";
const std::string kBorder = "\r\n+----------------------------+";
const std::string kSeparator = "\r\n" + std::string(56, '*');

// Dish lines by category and dish, both counted from 1.
std::string Line(int category, int dish) {
  static const char* const kLines[4][3] = {
      {"Malai Chaap", "Paneer Tikka", "Chicken Tandoori"},
      {"Dal Makhani", "Paneer Tikka Masala", "Butter Chicken"},
      {"Roti", "Butter Naan", "Tandoori Parantha"},
      {"Lassi", "Choco Lava Cake", "Rasmalai(2pcs)"},
  };
  std::string name = kLines[category - 1][dish - 1];
  return "\r\n|  " + name + std::string(22 - name.size(), ' ') + "|";
}

std::string Entry(int category, int dish, const std::string& quantity) {
  return Line(category, dish) + " x" + quantity + "|" + kBorder;
}

std::string Pick(int category, int dish, const std::string& quantity) {
  return std::to_string(category) + "\n" + std::to_string(dish) + "\n" + quantity + "\n";
}

// Screens shown by one visit to a category, through the quantity prompt.
std::string Visit(int category) { return CategoryScreen(category) + QuantityPrompt(); }

// Screens of an order that picks from `categories` in turn, each followed by
// the ordering menu again.
std::string Visits(std::initializer_list<int> categories) {
  std::string screens;
  for (int category : categories) screens += Visit(category) + OrderingScreen();
  return screens;
}

// The view's message when the order history cannot be read; the path and
// the system's reason vary.
std::string Unreadable() { return "\r\nThe order history cannot be read: " + std::string(kAnyText); }

std::vector<ProgramCase> MakeCases() {
  const std::string W = WelcomeScreen(), O = OrderingScreen(), A = AdminScreen();
  const std::string paneer3 = kHeader + Entry(1, 2, "3");
  const std::string two_dishes = kHeader + Entry(1, 1, "2") + Entry(3, 1, "4");
  const std::string earlier = kHeader + Entry(2, 3, "1");
  std::string long_history;
  for (int i = 0; i < 6; ++i) long_history += two_dishes + kSeparator;
  const std::string five = kHeader + Entry(1, 1, "1") + Entry(2, 2, "2") + Entry(3, 3, "3") +
                           Entry(4, 1, "4") + Entry(4, 3, "5");
  const std::string a49(49, 'a'), b50(50, 'b');

  std::vector<ProgramCase> cases = {
      {"OneOrder", "", "", "2\n1\n2\n3\n5\n", W + O + Visit(1) + O + paneer3, paneer3,
       paneer3 + kSeparator},
      {"TwoDishBill", "", "H", "2\n" + Pick(1, 1, "2") + Pick(3, 1, "4") + "5\n",
       W + O + Visits({1, 3}) + two_dishes, two_dishes, "H" + two_dishes + kSeparator},
      {"WindowsLineEnds", "", "", "2\r\n1\r\n2\r\n3\r\n5\r\n", W + O + Visit(1) + O + paneer3,
       paneer3, paneer3 + kSeparator},
      {"LastLineWithoutLineEnd", "", "", "2\n1\n2\n3\n5", W + O + Visit(1) + O + paneer3,
       paneer3, paneer3 + kSeparator},
      {"WelcomeLetterOrders", "", "", "x\n6\n", W + O, kHeader, ""},
      {"WelcomeEmptyOrders", "", "", "\n6\n", W + O, kHeader, ""},
      {"WelcomeOneIsAdminAndRecordsNothing", "", "H1", "1\n4\n", W + A, "", "H1"},
      {"AdminViewsHistoryUntilExit", "B", "H1\r\nH2", "1\n1\n2\n3\nx\n\n4\n",
       W + A + "H1\r\nH2" + A + "H1\r\nH2" + A + "H1\r\nH2" + A + "H1\r\nH2" + A + "H1\r\nH2" + A,
       "B", "H1\r\nH2"},
      {"AdminShowsWholeLongHistory", "", long_history, "1\n1\n4\n", W + A + long_history + A, "",
       long_history},
      {"OrderingDefaultsToStarters", "", "", "2\n7\n1\n1\n0\n2\n2\n\n3\n3\n6\n",
       W + O + Visits({1, 1, 1}),
       kHeader + Entry(1, 1, "1") + Entry(1, 2, "2") + Entry(1, 3, "3"), ""},
      {"OptionsMatchWholeAnswersOnly", "", "", "2\n 5\n4\n\n05\n4\n\n5.\n4\n\n6\n",
       W + O + Visits({1, 1, 1}), kHeader, ""},
      {"DishFourRecordsNothing", "", "", "2\n" + Pick(2, 4, "3") + "6\n", W + O + Visits({2}),
       kHeader, ""},
      {"QuantitiesAsTyped", "", "", "2\n" + Pick(4, 1, "abc") + Pick(4, 2, "0") +
       Pick(4, 3, "-1") + Pick(4, 3, "") + "6\n",
       W + O + Visits({4, 4, 4, 4}),
       kHeader + Entry(4, 1, "abc") + Entry(4, 2, "0") + Entry(4, 3, "-1") + Entry(4, 3, ""), ""},
      {"SameDishTwiceIsTwoEntries", "", "", "2\n" + Pick(3, 2, "1") + Pick(3, 2, "1") + "6\n",
       W + O + Visits({3, 3}), kHeader + Entry(3, 2, "1") + Entry(3, 2, "1"), ""},
      {"ExitKeepsOpenOrderOutOfHistory", "", "H", "2\n" + Pick(2, 1, "2") + "6\n",
       W + O + Visits({2}), kHeader + Entry(2, 1, "2"), "H"},
      {"CompletionRightAfterHeader", "", "", "2\n5\n", W + O + kHeader, kHeader,
       kHeader + kSeparator},
      {"LongAnswersAreCutAndTheirTailDropped", "", "",
       "2\n" + Pick(1, 1, a49) + Pick(1, 2, b50) + Pick(1, 3, std::string(50, 'c') + "5") +
           "5" + std::string(60, 'x') + "\n4\n\n6\n",
       W + O + Visits({1, 1, 1, 1}),
       kHeader + Entry(1, 1, a49) + Entry(1, 2, b50) + Entry(1, 3, std::string(50, 'c')), ""},
      {"EarlierBillsAreNotShownOrArchived", earlier, "", "2\n" + Pick(1, 1, "2") + Pick(3, 1, "4") + "5\n",
       W + O + Visits({1, 3}) + two_dishes, earlier + two_dishes, two_dishes + kSeparator},
      {"FiveEntryBillShownWhole", "", "", "2\n" + Pick(1, 1, "1") + Pick(2, 2, "2") +
       Pick(3, 3, "3") + Pick(4, 1, "4") + Pick(4, 3, "5") + "5\n",
       W + O + Visits({1, 2, 3, 4, 4}) + five, five, five + kSeparator},
      {"EscapeBytesAreStoredButNotShown", "", "", "2\n" + Pick(1, 1, "\x1b[2J\x07") + "5\n1\n",
       W + O + Visits({1}) + kHeader + Line(1, 1) + " x?[2J?|" + kBorder,
       kHeader + Entry(1, 1, "\x1b[2J\x07"), kHeader + Entry(1, 1, "\x1b[2J\x07") + kSeparator},
      {"EndOfInputAtWelcome", "", "", "", W, "", ""},
      {"EndOfInputAtAdminMenu", "", "H", "1\n", W + A, "", "H"},
      {"EndOfInputAtOrderingMenu", "", "", "2\n" + Pick(1, 1, "1"), W + O + Visits({1}),
       kHeader + Entry(1, 1, "1"), ""},
      {"EndOfInputAtDish", "", "", "2\n1\n", W + O + CategoryScreen(1), kHeader, ""},
      {"EndOfInputAtQuantity", "", "", "2\n1\n1\n", W + O + Visit(1), kHeader, ""},
      {"MissingBillStillAllowsAdmin", std::nullopt, "H", "1\n1\n4\n", W + A + "H" + A,
       std::nullopt, "H"},
      {"MissingBillRefusesOrders", std::nullopt, "", "2\n1\n1\n1\n5\n", W, std::nullopt, "", 1,
       "bill.txt: "},
      {"MissingHistoryIsSaidInTheView", "", std::nullopt, "1\n1\n4\n",
       W + A + Unreadable() + A, "", std::nullopt},
      {"MissingHistoryFailsCompletionButKeepsBill", "", std::nullopt, "2\n" + Pick(1, 1, "1") + "5\n",
       W + O + Visits({1}) + kHeader + Entry(1, 1, "1"), kHeader + Entry(1, 1, "1"), std::nullopt,
       1, "order-history.txt: "},
      {"HeldBillRefusesOrders", "", "", "2\n6\n", W, "", "", 1,
       "bill.txt: in use by another order console", HeldFileName::kBill},
      {"HeldBillStillAllowsAdmin", "", "H", "1\n1\n4\n", W + A + "H" + A, "", "H", 0, "",
       HeldFileName::kBill},
      {"HeldHistoryFailsCompletionAfterWaiting", "", "", "2\n5\n", W + O + kHeader, kHeader, "",
       1, "order-history.txt: in use by another order console", HeldFileName::kHistory},
  };
  return cases;
}

}  // namespace

const std::vector<ProgramCase>& ProgramCases() {
  static const std::vector<ProgramCase> cases = MakeCases();
  return cases;
}

std::string WelcomeScreen() {
  return "\r\nWelcome to Dinevo\r\n+-------------------------+\r\n| 1. Restaurant Admin     |"
         "\r\n| 2. Order Food           |\r\n+-------------------------+\r\nEnter Your Option(1-2) >";
}

std::string OrderingScreen() {
  return "\r\nWelcome to Zel Restaurant\r\n+-------------------------+"
         "\r\n| 1. Starters             |\r\n| 2. Main Course          |"
         "\r\n| 3. Bread                |\r\n| 4. Desert               |"
         "\r\n| 5. Complete Order       |\r\n| 6. Exit                 |"
         "\r\n+-------------------------+\r\nEnter Your Option(1-6) >";
}

std::string AdminScreen() {
  return "\r\nWelcome to Restaurant Admin\r\n+-------------------------+"
         "\r\n| 1. Order History        |\r\n| 2. Restocking           |"
         "\r\n| 3. Price Adjustment     |\r\n| 4. Exit                 |"
         "\r\n+-------------------------+\r\nEnter Your Option(1-4) >";
}

std::string CategoryScreen(int n) {
  static const char* const kHeadings[4] = {
      "\r\n         Starters          \r\n+ -------------------------+",
      "\r\n       Main Cousre        \r\n+-------------------------+",
      "\r\n       Breads         \r\n+-------------------------+",
      "\r\n        Desert             \r\n+-------------------------+",
  };
  static const char* const kPrices[4][3] = {
      {"100", "200", "300"}, {"300", "400", "600"}, {"10", "90", "110"}, {"60", "120", "150"}};
  std::string screen = kHeadings[n - 1];
  for (int dish = 1; dish <= 3; ++dish) screen += Line(n, dish) + "Rs " + kPrices[n - 1][dish - 1];
  return screen + "\r\n+-------------------------+\r\nEnter Your Option(1-3) >";
}

std::string QuantityPrompt() { return "\r\nEnter Your Quantity >"; }

bool ScreenMatches(const std::string& expected, const std::string& actual) {
  size_t any = expected.find(kAnyText);
  if (any == std::string::npos) return expected == actual;
  std::string_view head(expected.data(), any), tail(expected.data() + any + 1);
  if (actual.size() < head.size() + tail.size()) return false;
  if (actual.compare(0, head.size(), head) != 0) return false;
  // The tail is matched at the end; one stand-in per screen is enough here.
  return actual.compare(actual.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace order_console
