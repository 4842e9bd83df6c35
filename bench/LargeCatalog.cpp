#include "LargeCatalog.h"

#include "platform/core/Path.h"

#include <fstream>
#include <random>

namespace qx {

namespace fs = std::filesystem;

namespace {

bool WriteFile(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

std::string PriceFileText(int firstNumber, int lines, std::mt19937& rng) {
    std::string s = "EUR\r\nPL 2026/12\r\n01.12.26\r\n31.12.30\r\n1\r\n";
    s.reserve(static_cast<std::size_t>(lines) * 64);
    for (int i = 0; i < lines; ++i) {
        const int cents = static_cast<int>(rng() % 100000);
        std::string price = std::to_string(cents / 100) + "," + std::to_string(cents % 100);
        s += "|" + LargeCatalogNumber(firstNumber + i) + "|" + price + "|" + price + "|" + price + "|" + price +
             "|sofort lieferbar\r\n";
    }
    return s;
}

} // namespace

std::string LargeCatalogNumber(int i) { return "ZRT " + std::to_string(100000 + i * 7) + " A"; }

std::string LargeIndexText(int entries, bool numbers, unsigned seed) {
    static const char* const kWords[] = {"Bohrer", "Satz", "Abzieher", "Hebebuehne", "Zange", "Schluessel", "Adapter",
                                         "Pruefgeraet", "Drehmoment", "Getriebe", "Motor", "Bremse", "Achse", "Lager",
                                         "Dichtung", "Werkbank", "Kompressor", "Reifen", "Klima", "Diagnose"};
    std::mt19937 rng(seed);
    std::string text;
    text.reserve(static_cast<std::size_t>(entries) * 48);
    for (int i = 0; i < entries; ++i) {
        if (rng() % 50 == 0)
            text += "# section " + std::to_string(i) + "\r\n";
        if (numbers) {
            static const char* const kPrefixes[] = {"T", "ZRT ", "HLN ", "VAS "};
            text += kPrefixes[rng() % 4] + std::to_string(10000 + rng() % 90000);
        } else {
            text += std::string(kWords[rng() % 20]) + " " + kWords[rng() % 20] + " " + std::to_string(rng() % 1000);
        }
        text += "|K" + std::to_string(i) + "|LIST.TXT\r\n";
    }
    return text;
}

OrderList LargeOrderList(int entries) {
    OrderList list;
    list.indication = "Werkstatt Nord";
    for (int i = 0; i < entries; ++i) {
        OrderItem item;
        item.quantity = std::to_string(1 + i % 9);
        item.number = "QX-" + std::to_string(100000 + i);
        item.name = "Zwei-Saeulen-Hebebuehne Typ " + std::to_string(i);
        item.remarks = "fuer Halle 2";
        item.supplier = i % 3 == 0 ? "DORNA" : "QTX_VZ";
        item.vzUnitEur = "1234,50";
        item.upeUnitEur = "1500,00";
        item.vzUnitLocal = "2414,47";
        item.upeUnitLocal = "2933,75";
        item.priceListNote = "PL 12/2026";
        RecalcTotals(item, "DM", 0);
        list.items.push_back(item);
    }
    return list;
}

bool WriteLargeCatalog(const fs::path& root, const LargeCatalogSize& size) {
    std::mt19937 rng(size.seed);
    bool ok = WriteFile(root / "DATEN/LANG1/QX.PRS", PriceFileText(0, size.priceLines, rng));
    ok = WriteFile(root / "update.prs", PriceFileText(size.priceLines / 2, size.updateLines, rng)) && ok;
    const int span = size.priceLines / 2 + size.updateLines + 1000;
    std::string list = "Large catalogue\r\nLARGE|a\r\nSubtitle\r\n" + std::to_string(size.records) + "\r\n\r\n";
    for (int r = 0; r < size.records; ++r) {
        const int n = static_cast<int>(rng() % static_cast<unsigned>(span > 0 ? span : 1));
        list += "K" + std::to_string(r) + "\r\npic.jpg\r\n" + LargeCatalogNumber(n) + "\r\nDES\r\n0\r\nProduct name " +
                std::to_string(r) + "\r\nsheet.bmp\r\n\r\n12,50\r\ninfo.htm\r\n\r\nQTX_VZ\r\n\r\nFree text\r\n}\r\n\r\n";
    }
    ok = WriteFile(root / "DATEN/LANG1/LIST.TXT", list) && ok;
    ok = WriteFile(root / "DATEN/LANG1/LARGE.gpe", "Large catalogue\r\n\r\n\r\na|LIST.TXT|All products|\r\n") && ok;
    if (size.indexEntries > 0) {
        ok = WriteFile(root / "DATEN/LANG1/Katalog.SWS", LargeIndexText(size.indexEntries, false, size.seed)) && ok;
        ok = WriteFile(root / "DATEN/LANG1/Katalog.ANR", LargeIndexText(size.indexEntries, true, size.seed + 1)) && ok;
    }
    if (size.orderEntries > 0)
        ok = SaveOrderList(ToWindowsPath(root / "LARGE.STK"), LargeOrderList(size.orderEntries)) && ok;
    return ok;
}

} // namespace qx
