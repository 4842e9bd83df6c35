#include "GuiFixture.h"

#include "platform/core/DibPixels.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace qx::testing {

namespace {
// Writes bytes below dir; backslashes in the relative path are separators.
void WriteBytes(const std::filesystem::path& dir, std::string relative, const std::string& bytes) {
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const auto path = dir / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}
} // namespace

void TempCatalog::Write(const std::string& relative, const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    WriteBytes(Dir(), relative, out);
}

void TempCatalog::WriteBmp(const std::string& relative, int width, int height, unsigned rgb) {
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0xFF000000u | rgb);
    const auto dib = EncodeDib24(Pixels{width, height, pixels});
    // The program reads the DIB after the file header, whatever the header's sizes say.
    WriteBytes(Dir(), relative, "BM" + std::string(12, '\0') + std::string(dib.begin(), dib.end()));
}

void WriteAreas(TempCatalog& c) {
    const std::string kBack = "ZUR\xDC" "CK";
    for (const char* lang : {"LANG1", "LANG2", "LANG3"}) {
        const std::string d = std::string("DATEN\\") + lang + "\\";
        const std::string tag = lang[4] == '1' ? "de" : lang[4] == '2' ? "en" : "fr";
        c.Write(d + "QXSTART.BER", "# start\nKatalog " + tag +
                                       "|QXKatalog.bmp|katalog.ber|330|300|470|322|Zum Katalog\n" +
                                       "Ende|x|" + kBack + "|330|330|470|352|Beenden\n");
        c.Write(d + "KATALOG.BER", "Betrieb " + tag + "|V_BE.bmp|BE.BER|330|300|470|322|" + std::string(100, 't') +
                                       "\nWerkzeug|V_SW.bmp|SW.BER|330|330|470|352|SW\nZurueck|x|" + kBack +
                                       "|480|330|620|352|zur\xFC" "ck\n");
        c.Write(d + "BE.BER", "Heben " + tag + "|BE_SEITE.bmp|BE2.BER|20|80|200|120|Heben\nLeer||  |20|130|200|170|\n");
        c.Write(d + "BE2.BER", "Tief " + tag + "|BE2_SEITE.bmp|HEBE|20|80|200|120|Gruppe\n");
    }
    for (int w : {640, 800, 1024}) {
        const std::string o = "BILDER\\OHNE\\" + std::to_string(w) + "\\";
        for (const char* page : {"QXStart.bmp", "QXKatalog.bmp", "Hintergrund_mit_logo.bmp"})
            c.WriteBmp(o + page, 40, 30);
        for (const char* button : {"buttons\\Up.bmp", "buttons\\Down.bmp"})
            c.WriteBmp(o + button, 8, 4);
        c.WriteBmp("BILDER\\" + std::to_string(w) + "\\V_BE.bmp", 20, 20);
        c.WriteBmp("BILDER\\LANG1\\" + std::to_string(w) + "\\BE_SEITE.bmp", 20, 20);
    }
}

void Pump() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

bool RunUntilQuit(int milliseconds) {
    bool timedOut = false;
    QTimer watchdog;
    watchdog.callOnTimeout([&timedOut] { timedOut = true; QCoreApplication::exit(1); });
    watchdog.start(milliseconds);
    return QApplication::exec() == 0 && !timedOut;
}

void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    ASSERT_NE(window->windowHandle(), nullptr) << "the window is not shown";
    QTest::keyClick(window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

void WhenModal(std::function<void(QWidget&)> f) {
    QWidget* below = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, below, f] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != below) {
            timer->stop();
            timer->deleteLater();
            f(*modal);
        }
    });
    timer->start(5);
}

} // namespace qx::testing

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
