// qxkat-startwalk: the program's start on a catalogue, then a walk over every
// page kind, for start-up time and memory on large catalogues.
//   qxkat-startwalk DIR [--since EPOCH_NS] [--order-list FILE] [--shots DIR]
// Prints "first page: N ms" (from EPOCH_NS, the caller's clock before the
// start, else from the program's own start) and "peak memory: N MB" after the
// walk. The product page opens on LIST.TXT, the order list page on FILE; with
// FILE also "order list: page open N ms, save N ms".

#include "app/ui/CatalogApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/Snapshot.h"
#include "ground/GlobalState.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderListPage.h"
#include "pages/ProductPage.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"

#include <QApplication>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void Pump() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace

int main(int argc, char** argv) {
    long long since = NowNs();
    std::filesystem::path dir, orderList, shots;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--since" && i + 1 < argc)
            since = std::atoll(argv[++i]);
        else if (a == "--order-list" && i + 1 < argc)
            orderList = argv[++i];
        else if (a == "--shots" && i + 1 < argc)
            shots = argv[++i];
        else if (dir.empty() && a.rfind("--", 0) != 0)
            dir = a;
        else {
            std::fprintf(stderr, "usage: qxkat-startwalk DIR [--since EPOCH_NS] [--order-list FILE] [--shots DIR]\n");
            return 2;
        }
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: qxkat-startwalk DIR [--since EPOCH_NS] [--order-list FILE] [--shots DIR]\n");
        return 2;
    }
    QApplication application(argc, argv);
    qx::ScopedScriptedUi ui; // message boxes take their default answer
    const std::filesystem::path work = std::filesystem::temp_directory_path() / "qxkat-startwalk";
    std::filesystem::create_directories(work);
    if (shots.empty())
        shots = work / "shots";
    std::filesystem::create_directories(shots);

    qx::CatalogApp::Options o;
    o.programDir = std::filesystem::absolute(dir);
    o.configFile = work / "qxkat.ini";
    o.desktopWidth = 1024;
    o.language = 0;
    qx::CatalogApp app(o);
    if (!app.StartUp())
        return 1;
    Pump();
    std::printf("first page: %.0f ms\n", static_cast<double>(NowNs() - since) / 1e6);
    std::fflush(stdout);

    const int pictures = qx::WalkEveryPage(app, shots, 0, 1024);

    // The large product list against the large price list, and the large order list.
    qx::GlobalState& s = app.Context().state;
    app.Frame()->DestroyAllPages();
    s.listFile = "LIST.TXT";
    s.pageMode = qx::kPageProduct;
    app.Frame()->PostShowPage();
    Pump();
    const auto* product = dynamic_cast<qx::ProductPage*>(app.Frame()->CurrentPage());
    int orderEntries = -1;
    double openMs = 0, saveMs = 0;
    if (!orderList.empty()) {
        s.orderListPath = qx::ToWindowsPath(std::filesystem::absolute(orderList));
        qx::DialogWindow* hidden = app.Frame()->HideCurrentPage();
        // From the click to the page drawn with its list: load, fill, paint.
        const long long opening = NowNs();
        qx::OrderListPage* page =
            qx::OpenOrderListPage(*app.Frame(), app.Context(), app.Frame()->Client(), hidden);
        Pump();
        openMs = static_cast<double>(NowNs() - opening) / 1e6;
        orderEntries = static_cast<int>(page->List().items.size());
        // A save as every added entry makes it, to a copy beside the work files.
        const long long saving = NowNs();
        qx::SaveOrderList(qx::ToWindowsPath(work / "SAVED.STK"), page->List());
        saveMs = static_cast<double>(NowNs() - saving) / 1e6;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("walk: %d pictures, product list of %d products, order list of %d entries\n", pictures,
                product ? product->RecordCount() : -1, orderEntries);
    if (orderEntries >= 0)
        std::printf("order list: page open %.0f ms, save %.0f ms\n", openMs, saveMs);
    std::printf("peak memory: %ld MB\n", usage.ru_maxrss / 1024);
    app.Exit();
    Pump();
    std::filesystem::remove_all(work);
    return 0;
}
