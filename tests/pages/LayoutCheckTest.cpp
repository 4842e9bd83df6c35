// The layout check of catalogue authors (qxkat --snapshot DIR --check-layout)
// on a catalogue of theirs; the demo catalogue's clean run is the test
// demo_layout_check.

#include "CatalogPages.h"
#include "app/ui/Snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx::testing {
namespace {

TEST(LayoutCheck, ReportsACatalogueTextTooLongForItsPlace) {
    TempCatalog c;
    WriteCatalogPages(c);
    // The product list again, its first product's name far wider than a row.
    const std::string name = "Zwei-Saeulen-Hebebuehne mit elektrohydraulischem Antrieb und Doppelteleskoparmen";
    c.Write("DATEN\\LANG1\\SAEULE.KAT",
            "Saeulen\nHEBE|aaa\nBetriebseinrichtungen\n1\nQX\n"
            "P1\nP1.bmp\nQX-1\nVAS 1\n0\n" + name + "\nBILDER\\BLATT\\HEBE.bmp\n\n100,00\n\n0\nqtx_vz\n\nText}\n----\n");
    RunningProgram p(c, 640, 0);
    const test::TempDir shots;
    std::vector<std::string> problems;
    WalkEveryPage(*p.app, shots.Path(), 0, 640, &problems);
    const std::string cut = "product_upe_de_640: \"" + name + "\" is cut";
    EXPECT_NE(std::find(problems.begin(), problems.end(), cut), problems.end()) << cut;
    for (const std::string& line : problems)
        EXPECT_NE(line.find(name), std::string::npos) << line;
}

} // namespace
} // namespace qx::testing
