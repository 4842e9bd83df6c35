#pragma once
// The order list and its file (.STK): the dealer's list of articles with the
// prices as they stood when each entry was made. Prices are never looked up
// again; the totals follow the quantity.

#include "ground/FixedText.h"
#include "ground/LangText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class FileStamp;

inline constexpr LangText kWrongOrderListFormat{{"Diese Datei ist keine gültige Stückliste!", "Wrong file format!",
                                                 "Ce fichier n'est pas une liste de commande valable!",
                                                 "Tento soubor není platný objednací list!"}};
inline constexpr LangText kOrderListNotCreated{{"Die Datei konnte nicht erzeugt werden!", "Disk access denied!",
                                                "Le fichier n'a pas pu être créé!", "Soubor nelze vytvořit!"}};

// How an entry was made or last edited.
enum : int { kItemTakenOver = 1, kItemChanged = 2, kItemFree = 4 };

struct OrderItem {
    int kind = 0; // not stored
    FixedText<16> quantity;
    FixedText<32> number;
    FixedText<128> name;
    FixedText<128> name2; // kept from files, never made by the program
    FixedText<128> remarks;
    FixedText<32> supplier; // "QTX_VZ", "DORNA" or "DERUZA"
    FixedText<32> vzUnitLocal;
    FixedText<32> vzUnitEur;
    FixedText<32> upeUnitLocal;
    FixedText<32> upeUnitEur;
    FixedText<32> vzTotalLocal;
    FixedText<32> vzTotalEur;
    FixedText<32> upeTotalLocal;
    FixedText<32> upeTotalEur;
    FixedText<32> priceListNote; // the price list's id when the entry was taken over
    double unitValue = 0;        // not stored
};

struct OrderList {
    std::vector<OrderItem> items;
    FixedText<32> indication; // "Auftragskennzeichnung"
};

inline constexpr std::size_t kIndicationTyped = 30; // what the edit takes

// The bytes of a file. Nothing when they don't begin with "QX000" (not an
// order list). "QX0002" is the full layout, any other sixth byte the older
// one of eight fields. Comment lines ("#" first) and empty lines are skipped,
// the first line beginning with "[" ends the entries (a missing end marker
// loses nothing), every field is cut to its capacity and fields missing at the
// end of a short line stay empty.
std::optional<OrderList> ParseOrderList(std::string_view bytes);

// The 15 fields an entry line stores, in file order.
std::vector<std::string_view> StoredFields(const OrderItem& item);

// The file's bytes, always in the full layout, ending in "[EndOfFile]".
std::string SerializeOrderList(const OrderList& list);

enum class OrderListRead { Loaded, Missing, WrongFormat };

// Reads the file at a backslash path into list (emptied first); stamp, when
// given, becomes what the file held (missing included).
OrderListRead LoadOrderList(std::string_view windowsPath, OrderList& list, FileStamp* stamp = nullptr);

// Writes the whole list beside the old file and renames it over it, so a
// failed save leaves the old file as it was. False when it failed; on
// success written, when given, becomes the stamp of the new file.
bool SaveOrderList(std::string_view windowsPath, const OrderList& list, FileStamp* written = nullptr);

// The four totals from the quantity's leading number and the unit prices; the
// unit prices are brought into display form on the way. A total of 0 shows
// the unit's text (an unpriced article reads "on request" twice).
void RecalcTotals(OrderItem& item, std::string_view currency, int languageIndex);

// The entry's name as the order list and the quantity editor show it: the
// name, then ", " and the second name when there is one.
std::string Designation(const OrderItem& item);

// A typed "|" would split the field when the file is read again: it becomes
// "/", and CR and LF become blanks. True when anything was changed.
bool CleanFieldText(std::string& text);

// The file used when a chosen file turned out not to be an order list: the
// chosen file's folder + "\STKLISTE.STK".
std::string FallbackOrderListPath(std::string_view chosenPath);

} // namespace qx
