// The layout check of catalogue authors (qxkat --snapshot DIR --check-layout)
// on texts of a catalogue that do not fit their places; the demo catalogue's
// clean run over every page is the test demo_layout_check.

#include "platform/qt/LayoutCheck.h"
#include "CatalogPages.h"
#include "pages/ProductPage.h"
#include "platform/core/ScriptedUi.h"

#include <gtest/gtest.h>

namespace qx::testing {
namespace {

TEST(LayoutCheck, ReportsCatalogueTextsTooLongForTheirPlaces) {
    ScopedScriptedUi ui;
    TempCatalog c;
    WriteCatalogPages(c);
    // A product name far wider than its list row, and a designation that
    // runs into the number beside it.
    const std::string name =
        "Zwei-Saeulen-Hebebuehne mit elektrohydraulischem Antrieb und Doppelteleskoparmen";
    const std::string designation =
        "VAS 1 Hebebuehnen-Satz komplett"; // the 31 characters a designation holds
    c.Write("DATEN\\LANG1\\SAEULE.KAT",
            "Saeulen\nHEBE|aaa\nBetriebseinrichtungen\n1\nQX\nP1\nP1.bmp\nQX-1\n" + designation + "\n0\n" +
                name + "\nBILDER\\BLATT\\HEBE.bmp\n\n100,00\n\n0\nqtx_vz\n\nText}\n----\n");
    RunningProgram p(c, 640, 0);
    p.State().groupFile = "HEBE";
    p.State().hierarchyCode = "a";
    p.State().listFile = "SAEULE.KAT";
    p.ShowPage(kPageProduct);
    ASSERT_NE(p.Current<ProductPage>(), nullptr);

    LayoutRecorder recorder;
    p.Frame().grab();
    const std::vector<std::string> expected{"\"" + designation + "\" overlaps \"QX-1\"",
                                            "\"" + name + "\" is cut"};
    EXPECT_EQ(recorder.Problems(p.Frame()), expected);
}

} // namespace
} // namespace qx::testing
