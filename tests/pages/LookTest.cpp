// Pictures of the group and product pages of the demo catalogue, to look at:
// QX_LOOK_DIR=<dir> qx_group_product_pages_tests --gtest_filter=Look.*
// Skipped without QX_LOOK_DIR or without the demo catalogue.

#include "CatalogPages.h"
#include "pages/GroupPage.h"
#include "pages/ProductPage.h"
#include "platform/core/ScriptedUi.h"

#include <QPixmap>

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx {
namespace {

using testing::Pump;
using testing::RunningProgram;

TEST(Look, GroupAndProductPagesOfTheDemoCatalogue) {
    const char* dir = std::getenv("QX_LOOK_DIR");
    const std::filesystem::path demo = QX_DEMO_DIR;
    if (!dir || !std::filesystem::exists(demo / "DATEN"))
        GTEST_SKIP() << "QX_LOOK_DIR or the demo catalogue missing";
    const std::filesystem::path out = dir;
    std::filesystem::create_directories(out);
    ScopedScriptedUi ui;
    testing::TempCatalog config; // only for its qxkat.ini
    for (int width : {640, 800, 1024}) {
        CatalogApp::Options o;
        o.programDir = demo;
        o.configFile = config.Ini();
        o.desktopWidth = width;
        o.language = 0;
        CatalogApp app(o);
        ASSERT_TRUE(app.StartUp());
        Pump();
        GlobalState& s = app.Context().state;
        auto shoot = [&](const std::string& name) {
            Pump();
            app.Frame()->repaint();
            const QPixmap picture = app.Frame()->grab();
            EXPECT_TRUE(picture.save(QString::fromStdString((out / (name + "_" + std::to_string(width) + ".png")).string())));
        };
        auto show = [&](int mode) {
            app.Frame()->DestroyAllPages();
            s.pageMode = mode;
            app.Frame()->PostShowPage();
            Pump();
        };

        s.groupFile = "SW_MOTOR";
        s.listFile = "KUPPLUNG.kat";
        s.pageOrigin = 3;
        show(kPageGroup);
        ASSERT_NE(dynamic_cast<GroupPage*>(app.Frame()->CurrentPage()), nullptr);
        shoot("group");

        s.listFile = "Antrieb.KAT";
        s.breadcrumb = "";
        show(kPageProduct);
        auto* product = dynamic_cast<ProductPage*>(app.Frame()->CurrentPage());
        ASSERT_NE(product, nullptr);
        for (int mode : {-1, 0, 1}) {
            s.priceMode = mode;
            product->Invalidate(true);
            shoot("product_dorna_price" + std::to_string(mode + 1));
        }
        product->SetCurSel(ProductPage::kList, 2);
        product->SendCommand(ProductPage::kList, LBN_SELCHANGE);
        shoot("product_third");
        app.Exit();
        Pump();
    }
}

} // namespace
} // namespace qx
