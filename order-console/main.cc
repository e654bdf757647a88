// order-console: the restaurant's ordering and billing console.

#include "menu_flow.h"

#ifndef ORDER_CONSOLE_BASE_DIR
#error "ORDER_CONSOLE_BASE_DIR must name the data folder's base"
#endif

int main() {
  order_console::OrderFiles files{order_console::DataPaths(ORDER_CONSOLE_BASE_DIR)};
  return order_console::RunMenuFlow(order_console::StandardConsole(), files);
}
