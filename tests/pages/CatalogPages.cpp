#include "CatalogPages.h"

#include "navigation/ui/AreaPage.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderListPage.h"
#include "pages/DrawingPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "pages/ProductPage.h"
#include "pages/RequirementsPage.h"
#include "platform/core/ScriptedUi.h"
#include "platform/qt/Print.h"
#include "resources/Menus.h"

#include <gtest/gtest.h>

namespace qx::testing {

OrderListPage* OpenOrderList(RunningProgram& p, ScriptedUi& ui, const std::string& file) {
    ui.fileAnswers = {file};
    p.Menu(kCmdOrderList);
    return p.Current<OrderListPage>();
}

bool SaveListOf(const std::string& file, const std::vector<std::pair<std::string, std::string>>& entries) {
    OrderList list;
    for (const auto& [number, supplier] : entries) {
        OrderItem& e = list.items.emplace_back();
        e.quantity = "1";
        e.number = e.name = number;
        e.supplier = supplier;
    }
    return SaveOrderList(file, list);
}

namespace {

// A printer context whose calls outlive the print job that owns it.
class KeptRecording : public RecordingDc {
public:
    explicit KeptRecording(std::shared_ptr<std::vector<DrawCall>> out)
        : RecordingDc({4960, 7016}, true), out_(out) {}
    ~KeptRecording() override { *out_ = Calls(); }

private:
    std::shared_ptr<std::vector<DrawCall>> out_;
};

std::string Record(const std::string& key, const std::string& picture, const std::string& number,
                   const std::string& designation, int seal, const std::string& name, const std::string& footer,
                   const std::string& vzPrice, const std::string& infoFile, const std::string& supplier,
                   const std::string& text) {
    return key + "\n" + picture + "\n" + number + "\n" + designation + "\n" + std::to_string(seal) + "\n" + name +
           "\nBILDER\\BLATT\\HEBE.bmp\n" + footer + "\n" + vzPrice + "\n" + infoFile + "\n0\n" + supplier + "\n\n" +
           text + "}\n----\n";
}

} // namespace

void WriteCatalogPages(TempCatalog& c) {
    WriteAreas(c);
    const std::string d = "DATEN\\LANG1\\";
    c.Write(d + "HEBE.gpe", "Hebetechnik\nStand 12\n----\n"
                            "a||Heben|G_A.bmp\n" "aa||B\xFChnen|G_AA.bmp\n" "aaa|SAEULE.KAT|S\xE4ulen|G_AAA.bmp\n"
                            "ab||Heber|G_AB.bmp\n" "# a comment between entries\n" "aba|X.KAT|Wagen|G_ABA.bmp\n"
                            "abc|LIST.KAT|Kr\xE4ne|G_ABC.bmp\n" "abd|Y.KAT|St\xE4nder|G_ABC.bmp\n"
                            "ac|GONE.KAT|Fehlt|\n" "ad|EMPTY.KAT|Leer|\n" "b||R\xE4""der|G_B.bmp\n" "x|\n"
                            "bab|Z.KAT|Drei unter b|\n" "[Ende]\n"
                            "abe|AFTER.KAT|Nach dem Ende|\n");
    c.Write(d + "SAEULE.KAT",
            "S\xE4ulen-Hebeb\xFChnen\nHEBE|aaa\nBetriebseinrichtungen - Hebetechnik\n3\nQX\n" +
                Record("P1", "P1.bmp", "QX-1", "VAS 1", 1, "Zwei-S\xE4ulen-B\xFChne", "", "100,00", "P1.htm", "qtx_vz",
                       "Zeile eins\nZeile zwei\nZeile drei") +
                Record("P2", "P2.bmp", "D-2", "VAS 2", 0, "Dorna-Werkzeug", "Fuss 2", "", "", "dorna",
                       "Eins\nZwei\nDrei\nVier") +
                Record("P3", "P2.bmp", "QX-3", "VAS 3", 0, "Ohne Preis", "", "", "", "QTX_VZ", "Kurz"));
    c.Write(d + "EMPTY.KAT", "Leer\nHEBE|ad\nUntertitel\n0\nQX\n");
    c.Write(d + "QX.PRS", "EUR\nPL 12\n01.12.20\n31.12.30\n1\n|QX-1|1234,5|1234,50|987,6|987,60|4 Wochen\n"
                          "|D-2|50|50|40|40|sofort\n");
    c.Write("HTML\\LANG1\\P1.htm", "<html><body><h1>Zwei-S\xE4ulen-B\xFChne</h1><p>Tragkraft 4 t.</p></body></html>\n");
    for (int w : {640, 800, 1024}) {
        const std::string o = "BILDER\\OHNE\\" + std::to_string(w) + "\\";
        c.WriteBmp(o + "Hintergrund_mit_logo.bmp", 40, 30, 0x003366);
        const std::string p = "BILDER\\" + std::to_string(w) + "\\";
        for (const char* name : {"G_A", "G_AA", "G_AAA", "G_AB", "G_ABA", "G_ABC", "G_B", "P1", "P2"})
            c.WriteBmp(p + name + ".bmp", 30, 20, 0x808000);
    }
}

RecordedPrint::RecordedPrint()
    : calls_(std::make_shared<std::vector<DrawCall>>()), jobs_(std::make_shared<int>(0)) {
    PrintBackend::SetPrintRecorder([calls = calls_, jobs = jobs_] {
        ++*jobs;
        return std::make_unique<KeptRecording>(calls);
    });
}

RecordedPrint::~RecordedPrint() {
    PrintBackend::SetPrintRecorder({});
}

int RecordedPrint::Pages() const {
    int pages = 0;
    for (const DrawCall& call : *calls_)
        pages += call.kind == DrawCall::Kind::StartPage;
    return pages;
}

const DrawCall* RecordedPrint::FindText(std::string_view text) const {
    for (const DrawCall& call : *calls_) {
        if ((call.kind == DrawCall::Kind::Text || call.kind == DrawCall::Kind::DrawText) && call.text == text)
            return &call;
    }
    return nullptr;
}

std::string Where(RunningProgram& p) {
    DialogWindow* page = p.Frame().CurrentPage();
    if (auto* area = dynamic_cast<AreaPage*>(page))
        return "area " + std::to_string(area->Level());
    if (auto* group = dynamic_cast<GroupPage*>(page))
        return "group " + std::to_string(group->Depth()) + " " + group->SelectedText();
    return dynamic_cast<ProductPage*>(page)        ? "product"
           : dynamic_cast<InfoPage*>(page)         ? "info"
           : dynamic_cast<RequirementsPage*>(page) ? "requirements"
           : dynamic_cast<DrawingPage*>(page)      ? "drawing"
           : page                                  ? "other"
                                                   : "none";
}

} // namespace qx::testing
