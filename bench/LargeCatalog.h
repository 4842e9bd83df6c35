#pragma once
// Large catalogues for benchmarks and load checks: a product list against a
// price list and a price update file of any size, written below a program
// directory in the catalogue's own layout.

#include "orders/OrderList.h"

#include <filesystem>
#include <string>

namespace qx {

struct LargeCatalogSize {
    int records = 5000;       // products in DATEN\LANG1\LIST.TXT
    int priceLines = 200000;  // lines of DATEN\LANG1\QX.PRS
    int updateLines = 200000; // lines of update.prs (beside DATEN)
    int indexEntries = 0;     // entries of DATEN\LANG1\Katalog.SWS and Katalog.ANR
    int orderEntries = 0;     // entries of the order list LARGE.STK (beside DATEN)
    unsigned seed = 42;
};

// The order number of price line i.
std::string LargeCatalogNumber(int i);

// Writes QX.PRS, update.prs (its numbers start half-way through QX.PRS's, so
// records are found in one, the other or both) and LIST.TXT with its group
// file LARGE.gpe; with index entries also Katalog.SWS (keywords) and
// Katalog.ANR (numbers), comment lines among them; with order entries the
// order list LARGE.STK. False when a file could
// not be written.
bool WriteLargeCatalog(const std::filesystem::path& programDir, const LargeCatalogSize& size);

// An order list of n entries of two suppliers, with prices and totals.
OrderList LargeOrderList(int entries);

// The text of a keyword (or, with numbers, a number) index of n entries.
std::string LargeIndexText(int entries, bool numbers, unsigned seed);

} // namespace qx
