#pragma once
// The order information of an order list (.STT beside the .STK): eight texts,
// sender, recipient, opening and closing text of the special tools letter,
// then the same of the workshop equipment letter.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class FileStamp;

enum : std::size_t {
    kToolsSender = 0, kToolsRecipient, kToolsOpening, kToolsClosing,
    kEquipmentSender, kEquipmentRecipient, kEquipmentOpening, kEquipmentClosing,
    kOrderInfoFields
};
using OrderInfo = std::array<std::string, kOrderInfoFields>;

// The order list's path up to its first "." (at most 63 characters):
// D:\orders.2007\list.stk gives D:\orders.
std::string OrderInfoBaseName(std::string_view orderListPath);
// The base name + ".STT".
std::string OrderInfoPath(std::string_view orderListPath);
// programDir + "stkt_gr.bst" ... "stkt_cz.bst", the texts of a new list.
std::string OrderInfoTemplatePath(std::string_view programDir, int languageIndex);

// Reads the eight texts (a "|" ends a text too); nothing when unreadable.
// stamp, when given, becomes what the file held.
std::optional<OrderInfo> LoadOrderInfo(std::string_view windowsPath, FileStamp* stamp = nullptr);
// Writes them whole beside the old file and renames it over it; false when
// that failed (the old file is then as it was). On success written, when
// given, becomes the stamp of the new file.
bool SaveOrderInfo(std::string_view windowsPath, const OrderInfo& info, FileStamp* written = nullptr);

// A template takes the addresses of the address file: the recipients of the
// two letters and, as sender of both, the dealer's own address.
void ApplyAddresses(OrderInfo& info, const std::vector<std::string>& addresses);

// The list's order information, else the language's template with the
// addresses filled in, else nothing. ownStamp, when given, becomes what the
// list's own file held (missing when the template was taken).
std::optional<OrderInfo> OrderInfoForList(std::string_view orderListPath, std::string_view programDir,
                                          int languageIndex, std::string_view addressFilePath,
                                          FileStamp* ownStamp = nullptr);

// What the letters print from: the list's order information, else the
// language's template as written (a letter fills only its empty address
// fields from the address file), else nothing.
std::optional<OrderInfo> LetterOrderInfo(std::string_view orderListPath, std::string_view programDir,
                                         int languageIndex);

} // namespace qx
