#pragma once
// The order list as a spreadsheet file for the dealer's own systems: a CSV
// that spreadsheet programs of the user's language open as it is.

#include "orders/OrderList.h"

#include <string>
#include <string_view>

namespace qx {

// The file's bytes: UTF-8 with a byte-order mark, ";" between fields, CR LF
// line ends, a field holding ";", a quote or a line break quoted with its
// quotes doubled. A header row in the language, then one row per entry in
// list order: position, quantity, number, designation, remarks, supplier,
// unit price and total price of the price mode (numbers with "," and two
// decimals; empty when the text holds none), the currency, the price-list
// note. A negative price mode leaves out unit price, total and currency.
std::string OrderListCsv(const OrderList& list, int priceMode, int languageIndex);

// A field as the file writes it (UTF-8 in, quoted when it has to be).
std::string CsvField(std::string_view utf8);

// A price text's value with "," and two decimals ("12,50 EUR" gives
// "12,50"); empty when the text doesn't begin with a number.
std::string CsvPrice(std::string_view priceText);

} // namespace qx
