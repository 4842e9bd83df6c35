#pragma once
// A list of numbers taken into the order list at once: the special tools a
// new model requires, as a text or CSV file of tool numbers with quantities.

#include "orders/OrderList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct GlobalState;
struct ProductRecord;

// An entry as the product page's "Bestellliste" makes it, before its quantity.
OrderItem TakeOverItem(const ProductRecord& record, std::string_view priceListId);

// One non-empty line of a numbers file, in the code page of the language.
struct NumberLine {
    std::string text; // the line, blanks around it removed (what messages name)
    // How the line may be read, most likely first: the number with a
    // quantity split off, then the whole line as the number (a number may
    // hold blanks: "ZRT 6150" is no "ZRT" six thousand times). Empty when
    // the quantity given is no whole number from 1 to 9999.
    struct Reading {
        std::string number;
        int quantity = 1;
    };
    std::vector<Reading> readings;
};

// The lines of a file: one number a line, optionally followed by ";", a tab
// or blanks and a quantity (1 when there is none); a field may be quoted as
// spreadsheets write it. UTF-8 with or without byte-order mark, else the
// code page of the language. Empty lines are left out. Nothing when the file
// is no text (it holds a NUL byte).
std::optional<std::vector<NumberLine>> ReadNumberLines(std::string_view bytes, int languageIndex);

// A number as the matcher compares it: blanks gone, "A" to "Z" folded.
std::string NumberKey(std::string_view number);

struct ProductRef {
    std::string file; // product list file, relative to the language data directory
    std::string key;
};

// The numbers the number searches find each product by (Katalog.ANR: tool,
// Q.T.X/ZRT and HLN numbers), for looking a number up.
class NumberIndex {
public:
    // From the index lines "number  designation|key|file". Nothing when the
    // index can't be read.
    static std::optional<NumberIndex> Load(const GlobalState& state);
    static NumberIndex FromBytes(std::string_view indexBytes);
    // The distinct products with the number (case and blanks ignored).
    std::vector<ProductRef> Find(std::string_view number) const;

private:
    std::vector<std::pair<std::string, ProductRef>> entries_; // sorted by key
};

struct NumberImport {
    std::vector<OrderItem> items;       // in file order, totals computed
    std::vector<std::string> notFound;  // lines that matched nothing
    std::vector<std::string> ambiguous; // lines that matched several products
};

// Matches every line against the catalogue of the state's language and
// builds the entries to append, with the products' prices as the product
// page shows them. A first line that matches nothing and reads as a header
// (its quantity is no number, or it has none and its number no digit) is
// skipped. Nothing when the bytes are no text; without a readable index
// every line is named as not found.
std::optional<NumberImport> ImportNumbers(const GlobalState& state, std::string_view fileBytes);
std::optional<NumberImport> ImportNumbers(const GlobalState& state, const NumberIndex& index,
                                          std::string_view fileBytes);

// The one message naming the lines that were not added, in the language;
// empty when every line was added.
std::string NotAddedMessage(const NumberImport& result, int languageIndex);

// A list of numbers is a few kilobytes; a larger file is no such list.
inline constexpr std::uint64_t kMaxNumbersFileBytes = 16u << 20;

inline constexpr LangText kNumbersUnreadable{{"Die Datei enthält keine lesbare Nummernliste.",
                                              "The file holds no readable list of numbers.",
                                              "Le fichier ne contient pas de liste de numéros lisible.",
                                              "Soubor neobsahuje čitelný seznam čísel."}};

} // namespace qx
