#include "GuiFixture.h"
#include "ground/GlobalState.h"
#include "shell/ui/InputDialog.h"
#include "app/ui/LanguageDialog.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "platform/core/DibPixels.h"
#include "platform/qt/PictureView.h"

#include <QScrollBar>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qx {
namespace {

TEST(LanguageDialog, HotAreasEnterAndEscape) {
    testing::TempCatalog c;
    c.WriteBmp("BILDER\\OHNE\\800\\qxintro.bmp", 800, 600);
    GlobalState s;
    s.programDir = ToWindowsPath(c.Dir(), true);
    struct Case {
        int id, language;
    };
    for (Case k : {Case{1175, 0}, Case{1176, 1}, Case{1177, 2}, Case{1178, 3}}) {
        LanguageDialog d(nullptr, s);
        QTimer::singleShot(0, &d, [&d, k] {
            // Escape is ignored: the dialog stays until a choice is made.
            testing::PressKey(&d, Qt::Key_Escape);
            EXPECT_TRUE(d.isVisible());
            QTest::mouseClick(d.Item(k.id), Qt::LeftButton);
        });
        EXPECT_EQ(d.DoModal(), IDOK);
        EXPECT_EQ(d.ChosenLanguage(), k.language);
        EXPECT_TRUE(d.HasPicture());
        EXPECT_EQ(d.size(), QSize(800, 600));
        EXPECT_EQ(d.Item(k.id)->cursor().shape(), Qt::PointingHandCursor);
    }
    LanguageDialog d(nullptr, s);
    QTimer::singleShot(0, &d, [&d] { testing::PressKey(&d, Qt::Key_Return); });
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.ChosenLanguage(), 0);
    // The hot areas sit where the picture shows the choices.
    EXPECT_EQ(d.Item(1178)->geometry(), QRect(76, 470, 226, 80));
}

TEST(LanguageDialog, NumberKeysAndArrowsWithEnter) {
    testing::TempCatalog c;
    GlobalState s;
    s.programDir = ToWindowsPath(c.Dir(), true); // no picture: the choices are named
    const auto run = [](LanguageDialog& d, std::vector<std::pair<int, int>> keys) {
        QTimer::singleShot(0, &d, [&d, keys] {
            EXPECT_TRUE(QTest::qWaitFor([&d] { return QApplication::activeWindow() == &d; }, 1000));
            for (auto [key, marked] : keys) {
                testing::PressKey(&d, key);
                if (d.isVisible()) {
                    EXPECT_EQ(d.MarkedId(), marked) << key;
                }
            }
        });
        EXPECT_EQ(d.DoModal(), IDOK);
        return d.ChosenLanguage();
    };
    for (int n = 0; n < 4; ++n) {
        LanguageDialog d(nullptr, s);
        EXPECT_EQ(run(d, {{Qt::Key_1 + n, 0}}), n);
    }
    LanguageDialog arrows(nullptr, s);
    EXPECT_EQ(run(arrows, {{Qt::Key_Down, LanguageDialog::kGermanId},
                           {Qt::Key_Right, LanguageDialog::kEnglishId},
                           {Qt::Key_Down, LanguageDialog::kFrenchId},
                           {Qt::Key_Left, LanguageDialog::kCzechId},
                           {Qt::Key_Return, 0}}),
              3);
    EXPECT_FALSE(arrows.HasPicture());
}

TEST(InputDialog, InitialTextLimitAndCancel) {
    InputDialog d(nullptr, 0, "Suchbegriff:", "bohr");
    QTimer::singleShot(0, &d, [&d] {
        auto* edit = static_cast<QLineEdit*>(d.Item(InputDialog::kEditId));
        EXPECT_EQ(edit->text(), QStringLiteral("bohr"));
        EXPECT_EQ(edit->maxLength(), 511);
        testing::PressKey(&d, Qt::Key_Return);
    });
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.Result(), "bohr");

    InputDialog e(nullptr, 1, "Search for:");
    QTimer::singleShot(0, &e, [&e] {
        QTest::keyClicks(e.Item(InputDialog::kEditId), QStringLiteral("satz"));
        EXPECT_EQ(e.GetItemText(IDCANCEL), "Cancel");
        testing::PressKey(&e, Qt::Key_Escape);
    });
    EXPECT_EQ(e.DoModal(), IDCANCEL);
    EXPECT_TRUE(e.Result().empty());
}

TEST(PictureView, CentresSmallPicturesAndScrollsLargeOnes) {
    QWidget parent;
    parent.resize(600, 500);
    PictureView view(&parent, Rect{18, 66, 520, 412});
    EXPECT_TRUE(view.isHidden());
    parent.show();
    view.show();
    testing::Pump();
    Pixels px{100, 60, std::vector<std::uint32_t>(6000, 0xFF0000FFu)};
    const auto small = EncodeDib24(px);
    view.SetPicture(DibBytes{small.data(), small.size(), 0}, Size{100, 60});
    const QSize vp = view.viewport()->size();
    EXPECT_EQ(view.Offset().x, (vp.width() - 100) / 2);
    EXPECT_EQ(view.Offset().y, (vp.height() - 60) / 2);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);

    Pixels big{1000, 900, std::vector<std::uint32_t>(900000, 0xFF00FF00u)};
    const auto large = EncodeDib24(big);
    view.SetPicture(DibBytes{large.data(), large.size(), 0}, Size{1000, 900});
    EXPECT_EQ(view.Offset(), (Point{0, 0}));
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    // A null picture is ignored.
    view.SetPicture(DibBytes{}, Size{5, 5});
    EXPECT_EQ(view.PictureSize(), (Size{1000, 900}));
    const QImage shot = view.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(0, 255, 0));
}

} // namespace
} // namespace qx
