#include "NumberImport.h"

#include "catalog/CatalogText.h"
#include "catalog/ProductList.h"
#include "ground/GlobalState.h"
#include "platform/core/CodePage.h"
#include "search/SearchIndex.h"

#include <algorithm>
#include <map>

namespace qx {

namespace {

constexpr LangText kNotAddedIntro{{"Diese Zeilen wurden nicht eingefügt:", "These lines were not inserted:",
                                   "Ces lignes n'ont pas été insérées:", "Tyto řádky nebyly vloženy:"}};
constexpr LangText kNotFoundHeading{{"Nicht gefunden:", "Not found:", "Introuvables:", "Nenalezeno:"}};
constexpr LangText kAmbiguousHeading{{"Mehr als ein Produkt:", "More than one product:", "Plusieurs produits:",
                                      "Více než jeden výrobek:"}};

// A message box taller than the screen hides its button: the rest is counted.
constexpr std::size_t kLinesShown = 20;

// Blanks as they come from typing and from spreadsheets (0xA0 is the
// no-break space in both code pages).
bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\xA0'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A field as spreadsheets quote it: "a""b" is a"b.
std::string Unquote(std::string_view s) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"')
        return std::string(s);
    std::string out;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        out += s[i];
        if (s[i] == '"' && s[i + 1] == '"')
            ++i;
    }
    return out;
}

// A whole number from 1 to 9999, as the quantity editor takes it; 0 otherwise.
int Quantity(std::string_view s) {
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return 0;
    const int value = std::stoi(std::string(s));
    return value <= 9999 ? value : 0;
}

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size() || (n == 2 && b < 0xC2))
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += n;
    }
    return true;
}

NumberLine ReadLineOfNumbers(std::string_view line) {
    NumberLine out;
    out.text = std::string(line);
    const std::size_t separator = line.find_first_of(";\t");
    if (separator != std::string_view::npos) {
        std::string_view rest = line.substr(separator + 1);
        rest = rest.substr(0, rest.find_first_of(";\t"));
        const std::string number = Unquote(Trim(line.substr(0, separator)));
        const std::string quantityText = Unquote(Trim(rest));
        const int quantity = quantityText.empty() ? 1 : Quantity(quantityText);
        if (quantity)
            out.readings.push_back({number, quantity});
        return out;
    }
    const std::string whole = Unquote(line);
    const std::size_t lastBlank = whole.find_last_of(" \xA0");
    if (lastBlank != std::string::npos)
        if (const int quantity = Quantity(std::string_view(whole).substr(lastBlank + 1)))
            out.readings.push_back({Unquote(Trim(std::string_view(whole).substr(0, lastBlank))), quantity});
    out.readings.push_back({whole, 1});
    return out;
}

bool HasDigit(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

std::string Upper(std::string s) {
    for (char& ch : s)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return s;
}

void AppendList(std::string& out, const LangText& heading, const std::vector<std::string>& lines, int lang) {
    if (lines.empty())
        return;
    out += "\n\n" + heading.Text(lang);
    for (std::size_t i = 0; i < lines.size() && i < kLinesShown; ++i)
        out += "\n" + lines[i];
    if (lines.size() > kLinesShown)
        out += "\n... (+" + std::to_string(lines.size() - kLinesShown) + ")";
}

} // namespace

OrderItem TakeOverItem(const ProductRecord& record, std::string_view priceListId) {
    OrderItem item;
    item.kind = kItemTakenOver;
    item.number = record.number.str();
    item.name = record.name.str();
    item.supplier = record.supplier.str();
    item.vzUnitLocal = record.vzPrice.str();
    item.vzUnitEur = record.vzPriceEuro.str();
    item.upeUnitLocal = record.upePrice.str();
    item.upeUnitEur = record.upePriceEuro.str();
    item.priceListNote = std::string(priceListId);
    return item;
}

std::optional<std::vector<NumberLine>> ReadNumberLines(std::string_view bytes, int languageIndex) {
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    std::string text;
    const bool bom = bytes.starts_with("\xEF\xBB\xBF");
    if (bom)
        bytes.remove_prefix(3);
    // Plain ASCII reads the same either way; anything else is UTF-8 only
    // when it is valid UTF-8, as a code page file hardly ever is.
    if (bom || IsUtf8(bytes))
        text = FromUtf8(bytes, CodePageOfLanguage(languageIndex));
    else
        text = std::string(bytes);
    std::vector<NumberLine> lines;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t lf = rest.find('\n');
        std::string_view line = rest.substr(0, lf);
        rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = Trim(line);
        if (!line.empty())
            lines.push_back(ReadLineOfNumbers(line));
    }
    return lines;
}

std::string NumberKey(std::string_view number) {
    std::string key;
    for (char ch : number)
        if (!IsBlank(ch))
            key += ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
    return key;
}

NumberIndex NumberIndex::FromBytes(std::string_view indexBytes) {
    IndexList list;
    std::string everything;
    list.Fill(CatalogBlock(indexBytes), everything);
    NumberIndex index;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        IndexEntry e = list.Entry(i);
        // The display text is the number, two blanks, then the designation.
        const std::string_view display = e.display;
        std::string key = NumberKey(display.substr(0, display.find("  ")));
        if (!key.empty())
            index.entries_.push_back({std::move(key), ProductRef{std::move(e.file), std::move(e.key)}});
    }
    std::stable_sort(index.entries_.begin(), index.entries_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return index;
}

std::optional<NumberIndex> NumberIndex::Load(const GlobalState& state) {
    const std::optional<CatalogBlock> block = LoadCatalogFile(IndexPath(state, kIndexAnr));
    if (!block)
        return std::nullopt;
    return FromBytes(block->Content());
}

std::vector<ProductRef> NumberIndex::Find(std::string_view number) const {
    const std::string key = NumberKey(number);
    std::vector<ProductRef> found;
    if (key.empty())
        return found;
    auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const auto& entry, const std::string& k) { return entry.first < k; });
    for (; it != entries_.end() && it->first == key; ++it) {
        // A tool number and its HLN number lead to one product: count it once.
        const bool known = std::any_of(found.begin(), found.end(), [&](const ProductRef& r) {
            return r.key == it->second.key && Upper(r.file) == Upper(it->second.file);
        });
        if (!known)
            found.push_back(it->second);
    }
    return found;
}

std::optional<NumberImport> ImportNumbers(const GlobalState& state, std::string_view fileBytes) {
    // Without the index nothing matches, and every line is named.
    const std::optional<NumberIndex> index = NumberIndex::Load(state);
    return ImportNumbers(state, index ? *index : NumberIndex{}, fileBytes);
}

std::optional<NumberImport> ImportNumbers(const GlobalState& state, const NumberIndex& index,
                                          std::string_view fileBytes) {
    const int lang = state.languageIndex;
    const std::optional<std::vector<NumberLine>> lines = ReadNumberLines(fileBytes, lang);
    if (!lines)
        return std::nullopt;
    NumberImport result;
    std::map<std::string, std::optional<ProductList>> lists; // by upper-case file name
    auto record = [&](const ProductRef& ref) -> const ProductRecord* {
        auto [it, inserted] = lists.try_emplace(Upper(ref.file));
        if (inserted)
            it->second = LoadProductList(state, ref.file);
        if (!it->second)
            return nullptr;
        for (const ProductRecord& r : it->second->records)
            if (r.key.str() == ref.key)
                return &r;
        return nullptr;
    };
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const NumberLine& line = (*lines)[i];
        bool decided = false;
        for (const NumberLine::Reading& reading : line.readings) {
            const std::vector<ProductRef> refs = index.Find(reading.number);
            if (refs.empty())
                continue;
            decided = true;
            if (refs.size() > 1) {
                result.ambiguous.push_back(line.text);
            } else if (const ProductRecord* r = record(refs.front())) {
                OrderItem item = TakeOverItem(*r, state.priceListId.str());
                item.quantity = std::to_string(reading.quantity);
                RecalcTotals(item, state.currency.str(), lang);
                result.items.push_back(std::move(item));
            } else {
                result.notFound.push_back(line.text); // the index names a product its list lacks
            }
            break;
        }
        if (decided)
            continue;
        const bool header = i == 0 && (line.readings.empty() || !HasDigit(line.readings.back().number));
        if (!header)
            result.notFound.push_back(line.text);
    }
    return result;
}

std::string NotAddedMessage(const NumberImport& result, int languageIndex) {
    if (result.notFound.empty() && result.ambiguous.empty())
        return {};
    std::string out = kNotAddedIntro.Text(languageIndex);
    AppendList(out, kNotFoundHeading, result.notFound, languageIndex);
    AppendList(out, kAmbiguousHeading, result.ambiguous, languageIndex);
    return out;
}

} // namespace qx
