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

namespace {

// The reading of ParseOrderList on bytes given in pieces, so a file is never
// held whole beside its entries. Only whole lines are read; the rest waits
// for the next piece.
class OrderListParser {
public:
    // fileSize, when known, sizes the list once from the first piece's lines.
    explicit OrderListParser(std::size_t fileSize = 0) : fileSize_(fileSize) {}

    void Feed(std::string_view piece) {
        if (wrong_ || ended_)
            return;
        pending_.append(piece);
        Read(false);
    }
    std::optional<OrderList> Finish() {
        Read(true);
        if (wrong_ || !started_)
            return std::nullopt;
        return std::move(list_);
    }

private:
    // The line at pos_ and where the next starts, when it is known.
    bool NextLine(bool last, std::string_view& line) {
        const std::string_view bytes = pending_;
        // A plain loop: find_first_of would search its set once per byte.
        // A long line is searched on from where the last piece ended.
        std::size_t end = std::max(pos_, searched_);
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        std::size_t next = end;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        // A CR at the end of the piece may have its LF in the next one.
        if (!last && (end == bytes.size() || (next == bytes.size() && bytes[end] == '\r'))) {
            searched_ = end;
            return false;
        }
        if (next < bytes.size() && bytes[next] == '\n')
            ++next;
        line = bytes.substr(pos_, end - pos_);
        pos_ = next;
        return true;
    }

    void Read(bool last) {
        if (!started_) {
            if (pending_.size() < 6 && !last)
                return;
            if (std::string_view(pending_).substr(0, kMagic.size()) != kMagic) {
                wrong_ = true;
                return;
            }
            full_ = pending_.size() > 5 && pending_[5] == '2';
            pos_ = std::min<std::size_t>(pending_.size(), 6);
            started_ = true;
        }
        std::string_view line;
        if (!haveIndication_) {
            if (!NextLine(last, line))
                return;
            list_.indication = line; // after the magic; a leading "#" is text here
            haveIndication_ = true;
            // One entry a line: room for all at once, as a growing list of
            // large lists would hold the old and the new copy at the same
            // time. Lines are counted in the first piece and the count
            // carried over the file's size.
            const std::string_view seen = std::string_view(pending_).substr(pos_);
            const auto lines = static_cast<std::size_t>(std::count(seen.begin(), seen.end(), '\n'));
            const std::size_t size = std::max(fileSize_, pending_.size());
            const std::size_t all = seen.empty() || size <= pending_.size()
                                        ? lines
                                        : lines + lines * (size - pending_.size()) / seen.size() + 16;
            list_.items.reserve(std::min(all, size / 2 + 1));
        }
        while (!ended_ && pos_ < pending_.size() && NextLine(last, line)) {
            if (!line.empty() && line.front() == '[') {
                ended_ = true;
                break;
            }
            // Files the program writes have neither; a hand-edited one gets no
            // phantom entry from a blank line.
            if (line.empty() || line.front() == '#')
                continue;
            OrderItem& item = list_.items.emplace_back();
            if (full_)
                FullLayout(item, FieldReader{line});
            else
                OldLayout(item, FieldReader{line});
        }
        pending_.erase(0, pos_);
        searched_ = searched_ > pos_ ? searched_ - pos_ : 0;
        pos_ = 0;
    }

    std::size_t fileSize_;
    std::string pending_;
    std::size_t pos_ = 0;
    std::size_t searched_ = 0; // no line end before this, from pos_ on
    bool started_ = false;
    bool wrong_ = false;
    bool full_ = false;
    bool haveIndication_ = false;
    bool ended_ = false;
    OrderList list_;
};

} // namespace

std::optional<OrderList> ParseOrderList(std::string_view bytes) {
    OrderListParser parser(bytes.size());
    parser.Feed(bytes);
    return parser.Finish();
}

std::vector<std::string_view> StoredFields(const OrderItem& item) {
    std::vector<std::string_view> fields;
    fields.reserve(15);
    FullLayout(item, [&fields](const auto& field) { fields.push_back(field.str()); });
    return fields;
}

namespace {

// The file's bytes made in out and handed to take whenever they reach
// pieceBytes, and at the end; false as soon as take answers false.
template <class Take>
bool SerializeInPieces(const OrderList& list, std::string& out, std::size_t pieceBytes, Take&& take) {
    out += "QX0002";
    out += list.indication.str();
    out += "\r\n";
    for (const OrderItem& item : list.items) {
        FullLayout(item, [&out](const auto& field) {
            out += field.str();
            out += '|';
        });
        out += "\r\n";
        if (out.size() >= pieceBytes) {
            if (!take(std::string_view(out)))
                return false;
            out.clear();
        }
    }
    out += kFileEnd;
    return take(std::string_view(out));
}

} // namespace

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
    SerializeInPieces(list, out, size + 1, [](std::string_view) { return true; });
    return out;
}

OrderListRead LoadOrderList(std::string_view windowsPath, OrderList& list, FileStamp* stamp) {
    list = OrderList{};
    // Read in pieces, stamped and parsed on the way: the file is never held
    // whole beside its entries.
    const std::filesystem::path path = ResolvePath(windowsPath);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    OrderListParser parser(ec ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxWholeFileBytes)));
    FileStamp::Hasher hasher;
    const bool read = ReadFileInPieces(path, [&](std::string_view piece) {
        hasher.Add(piece);
        parser.Feed(piece);
    });
    if (stamp)
        *stamp = read ? hasher.Finish() : FileStamp();
    if (!read)
        return OrderListRead::Missing;
    std::optional<OrderList> parsed = parser.Finish();
    if (!parsed)
        return OrderListRead::WrongFormat;
    list = std::move(*parsed);
    return OrderListRead::Loaded;
}

bool SaveOrderList(std::string_view windowsPath, const OrderList& list, FileStamp* written) {
    // Written and stamped a piece at a time: a list of 100,000 entries is
    // never held a second time as one string.
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    FileStamp::Hasher hasher;
    const bool saved = WriteFileAtomic(ResolvePath(windowsPath), [&](const auto& write) {
        hasher = FileStamp::Hasher();
        std::string out;
        out.reserve(kPiece + 4096);
        return SerializeInPieces(list, out, kPiece, [&](std::string_view piece) {
            hasher.Add(piece);
            return write(piece);
        });
    });
    if (!saved)
        return false;
    if (written)
        *written = hasher.Finish();
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
