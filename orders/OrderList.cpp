#include "OrderList.h"

#include "catalog/CatalogText.h"
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <charconv>

namespace qx {

namespace {

constexpr std::string_view kMagic = "QX000";
constexpr std::string_view kFileEnd = "[EndOfFile]";

// The fields of an entry line, in file order.
template <class Item, class F>
void FullLayout(Item& i, F&& f) {
    f(i.quantity);
    f(i.number);
    f(i.name);
    f(i.name2);
    f(i.remarks);
    f(i.supplier);
    f(i.vzUnitLocal);
    f(i.vzUnitEur);
    f(i.upeUnitLocal);
    f(i.upeUnitEur);
    f(i.vzTotalLocal);
    f(i.vzTotalEur);
    f(i.upeTotalLocal);
    f(i.upeTotalEur);
    f(i.priceListNote);
}

template <class F>
void OldLayout(OrderItem& i, F&& f) {
    f(i.quantity);
    f(i.number);
    f(i.name);
    f(i.name2);
    f(i.remarks);
    f(i.supplier);
    f(i.vzUnitLocal);
    f(i.vzTotalLocal);
}

// Reads the fields one after the other, each up to the next "|"; a short
// line leaves the rest empty.
struct FieldReader {
    std::string_view line;
    std::size_t start = 0;
    template <std::size_t N>
    void operator()(FixedText<N>& field) {
        if (start > line.size())
            return;
        std::size_t end = line.find('|', start);
        if (end == std::string_view::npos)
            end = line.size();
        field = line.substr(start, end - start);
        start = end + 1;
    }
};

void TotalOf(FixedText<32>& unit, FixedText<32>& total, bool euro, std::int32_t quantity, std::string_view currency,
             int languageIndex) {
    const double value = FormatPrice(unit, euro, currency, languageIndex);
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, quantity * value, std::chars_format::general, 12);
    std::string text = ec == std::errc{} ? std::string(buf, ptr) : std::string("0");
    if (FormatPrice(text, euro, currency, languageIndex) == 0.0)
        text = unit.str();
    total = text;
}

} // namespace

std::optional<OrderList> ParseOrderList(std::string_view bytes) {
    if (bytes.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    const bool full = bytes.size() > 5 && bytes[5] == '2';
    OrderList list;
    std::size_t pos = std::min<std::size_t>(bytes.size(), 6);
    auto nextLine = [&]() -> std::string_view {
        // A plain loop: find_first_of would search its set once per byte.
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
        return line;
    };
    list.indication = nextLine(); // after the magic; a leading "#" is text here
    // One entry a line: room for all at once, as a growing list of large
    // lists would hold the old and the new copy at the same time.
    list.items.reserve(static_cast<std::size_t>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end(), '\n')));
    while (pos < bytes.size()) {
        const std::string_view line = nextLine();
        if (!line.empty() && line.front() == '[')
            break;
        // Files the program writes have neither; a hand-edited one gets no
        // phantom entry from a blank line.
        if (line.empty() || line.front() == '#')
            continue;
        OrderItem& item = list.items.emplace_back();
        if (full)
            FullLayout(item, FieldReader{line});
        else
            OldLayout(item, FieldReader{line});
    }
    return list;
}

std::vector<std::string_view> StoredFields(const OrderItem& item) {
    std::vector<std::string_view> fields;
    fields.reserve(15);
    FullLayout(item, [&fields](const auto& field) { fields.push_back(field.str()); });
    return fields;
}

std::string SerializeOrderList(const OrderList& list) {
    // Sized first: a list of many entries would otherwise be copied as it
    // grows, holding twice its size for a moment.
    std::size_t size = 6 + list.indication.size() + 2 + kFileEnd.size();
    for (const OrderItem& item : list.items) {
        FullLayout(item, [&size](const auto& field) { size += field.size() + 1; });
        size += 2;
    }
    std::string out;
    out.reserve(size);
    out += "QX0002";
    out += list.indication.str();
    out += "\r\n";
    for (const OrderItem& item : list.items) {
        FullLayout(item, [&out](const auto& field) {
            out += field.str();
            out += '|';
        });
        out += "\r\n";
    }
    out += kFileEnd;
    return out;
}

OrderListRead LoadOrderList(std::string_view windowsPath, OrderList& list, FileStamp* stamp) {
    list = OrderList{};
    const std::optional<std::string> bytes = ReadWholeFile(ResolvePath(windowsPath));
    if (stamp)
        *stamp = FileStamp::OfRead(bytes);
    if (!bytes)
        return OrderListRead::Missing;
    std::optional<OrderList> parsed = ParseOrderList(*bytes);
    if (!parsed)
        return OrderListRead::WrongFormat;
    list = std::move(*parsed);
    return OrderListRead::Loaded;
}

bool SaveOrderList(std::string_view windowsPath, const OrderList& list, FileStamp* written) {
    const std::string bytes = SerializeOrderList(list);
    if (!WriteFileAtomic(ResolvePath(windowsPath), bytes))
        return false;
    if (written)
        *written = FileStamp::Of(bytes);
    return true;
}

void RecalcTotals(OrderItem& item, std::string_view currency, int languageIndex) {
    const std::int32_t q = ParseLeadingInt(item.quantity.str());
    TotalOf(item.vzUnitLocal, item.vzTotalLocal, false, q, currency, languageIndex);
    TotalOf(item.vzUnitEur, item.vzTotalEur, true, q, currency, languageIndex);
    TotalOf(item.upeUnitLocal, item.upeTotalLocal, false, q, currency, languageIndex);
    TotalOf(item.upeUnitEur, item.upeTotalEur, true, q, currency, languageIndex);
}

bool CleanFieldText(std::string& text) {
    bool changed = false;
    for (char& c : text) {
        const char replacement = c == '|' ? '/' : (c == '\r' || c == '\n') ? ' ' : c;
        changed |= replacement != c;
        c = replacement;
    }
    return changed;
}

std::string Designation(const OrderItem& item) {
    std::string text = item.name.str();
    if (!item.name2.empty())
        text += ", " + item.name2.str();
    return text;
}

std::string FallbackOrderListPath(std::string_view chosenPath) { return DirectoryOf(chosenPath) + "\\STKLISTE.STK"; }

} // namespace qx
