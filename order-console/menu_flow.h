#ifndef ORDER_CONSOLE_MENU_FLOW_H_
#define ORDER_CONSOLE_MENU_FLOW_H_

#include <array>
#include <string_view>

#include "order_files.h"
#include "platform.h"

namespace order_console {

/// One dish: its 28-byte screen and bill line, and its price in rupees.
struct Dish {
  std::string_view line;
  std::string_view price;
};

/// One category screen: its heading and its three dishes.
struct Category {
  std::string_view heading;
  std::array<Dish, 3> dishes;
};

/// The four categories, in the ordering menu's order.
extern const std::array<Category, 4> kDishCatalogue;

/// Whether `answer` is the option text `option`, ignoring letter case.
bool MatchesOption(std::string_view answer, std::string_view option);

/// Runs one session of the console from the welcome menu to its end, and
/// returns the exit status: 0 on Exit, completion or end of input, 1 when a
/// record could not be kept or input could not be read.
int RunMenuFlow(Console& console, OrderFiles& files);

}  // namespace order_console

#endif  // ORDER_CONSOLE_MENU_FLOW_H_
