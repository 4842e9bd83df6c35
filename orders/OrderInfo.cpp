#include "OrderInfo.h"

#include "catalog/CatalogText.h"
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"
#include "suppliers/AddressFile.h"

namespace qx {

std::string OrderInfoBaseName(std::string_view orderListPath) {
    return std::string(orderListPath.substr(0, std::min<std::size_t>(orderListPath.find('.'), 63)));
}

std::string OrderInfoPath(std::string_view orderListPath) { return OrderInfoBaseName(orderListPath) + ".STT"; }

std::string OrderInfoTemplatePath(std::string_view programDir, int languageIndex) {
    static constexpr const char* kNames[] = {"stkt_gr.bst", "stkt_uk.bst", "stkt_fr.bst", "stkt_cz.bst"};
    return std::string(programDir) + kNames[languageIndex >= 0 && languageIndex < 4 ? languageIndex : 0];
}

std::optional<OrderInfo> LoadOrderInfo(std::string_view windowsPath, FileStamp* stamp) {
    const std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (stamp)
        *stamp = block ? FileStamp::Of(block->Content()) : FileStamp();
    if (!block)
        return std::nullopt;
    const std::vector<std::string> blocks = ReadBlocks(block->Content(), kOrderInfoFields, true);
    OrderInfo info;
    std::copy(blocks.begin(), blocks.end(), info.begin());
    return info;
}

bool SaveOrderInfo(std::string_view windowsPath, const OrderInfo& info, FileStamp* written) {
    const std::string bytes = WriteBlocks({info.begin(), info.end()});
    if (!WriteFileAtomic(ResolvePath(windowsPath), bytes))
        return false;
    if (written)
        *written = FileStamp::Of(bytes);
    return true;
}

void ApplyAddresses(OrderInfo& info, const std::vector<std::string>& addresses) {
    if (addresses.size() < kAddressBlocks)
        return;
    info[kToolsRecipient] = addresses[kAddressSpecialTools];
    info[kEquipmentRecipient] = addresses[kAddressEquipment];
    info[kToolsSender] = addresses[kAddressOwn];
    info[kEquipmentSender] = addresses[kAddressOwn];
}

std::optional<OrderInfo> OrderInfoForList(std::string_view orderListPath, std::string_view programDir,
                                          int languageIndex, std::string_view addressFilePath,
                                          FileStamp* ownStamp) {
    if (std::optional<OrderInfo> own = LoadOrderInfo(OrderInfoPath(orderListPath), ownStamp))
        return own;
    std::optional<OrderInfo> info = LoadOrderInfo(OrderInfoTemplatePath(programDir, languageIndex));
    if (!info)
        return std::nullopt;
    if (const auto addresses = ReadAddressFile(addressFilePath))
        ApplyAddresses(*info, *addresses);
    return info;
}

std::optional<OrderInfo> LetterOrderInfo(std::string_view orderListPath, std::string_view programDir,
                                         int languageIndex) {
    if (std::optional<OrderInfo> own = LoadOrderInfo(OrderInfoPath(orderListPath)))
        return own;
    return LoadOrderInfo(OrderInfoTemplatePath(programDir, languageIndex));
}

} // namespace qx
