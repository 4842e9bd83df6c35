#pragma once
// qxkat-tool orderlist FILE [--language N] [--save OUT]

#include <string>
#include <vector>

namespace qx {

// Prints the order indication, then one tab-separated line of the 15 stored
// fields per entry; --save writes the list back as the program saves it.
// Exit codes: 0 read, 1 not an order list or not readable, 2 bad usage.
int OrderListCommand(const std::vector<std::string>& args);

} // namespace qx
