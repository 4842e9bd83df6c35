#include "Snapshot.h"

#include "CatalogApp.h"
#include "MainFrame.h"
#include "LanguageDialog.h"
#include "navigation/ui/AreaPage.h"
#include "navigation/ui/VideoPage.h"
#include "orders/ui/NotesDialog.h"
#include "pages/DrawingPage.h"
#include "pages/GroupPage.h"
#include "pages/RequirementsPage.h"
#include "pages/ProductPage.h"
#include "orders/OrderList.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "orders/ui/OrderInfoPage.h"
#include "orders/OrderLetters.h"
#include "suppliers/AddressFile.h"
#include "catalog/CatalogText.h"
#include "platform/qt/LayoutCheck.h"
#include "platform/qt/QtDc.h"
#include "platform/qt/VideoPlayer.h"
#include "suppliers/Distributors.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "resources/Menus.h"
#include "search/ui/SearchDialog.h"
#include "platform/core/Path.h"
#include "platform/core/ScriptedUi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace qx {

namespace {

constexpr const char* kLanguageTags[] = {"de", "en", "fr", "cz"};
// The price modes a page is shot in, with the name each picture carries.
constexpr std::pair<int, const char*> kPriceModes[] = {{-1, "noprices"}, {0, "upe"}, {1, "vz"}};

void Pump() {
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// The first entry of an area page whose target answers the test, or -1.
int FindEntry(const AreaPage& page, const std::function<bool(AreaTargetKind, const AreaEntry&)>& test) {
    for (int i = 0; i < page.EntryCount(); ++i) {
        if (test(ClassifyAreaTarget(page.Entry(i).target.str()), page.Entry(i)))
            return i;
    }
    return -1;
}

class Walker {
public:
    Walker(CatalogApp& app, const std::filesystem::path& out, int language, int width,
           std::vector<std::string>* problems)
        : app_(app), out_(out), suffix_(std::string("_") + kLanguageTags[language] + "_" + std::to_string(width)),
          width_(width), problems_(problems) {
        if (problems_)
            recorder_.emplace();
    }

    int written = 0;

    void Shoot(const std::string& page) {
        Pump();
        MainFrame* frame = app_.Frame();
        frame->repaint();
        Grab(*frame, page + suffix_);
    }

    // One picture of widget as it shows now, named name.png; with the layout
    // check, what is wrong with its texts goes to the problems as "name: ...".
    void Grab(QWidget& widget, const std::string& name) {
        if (recorder_)
            recorder_->Clear(); // only what this picture draws counts
        const QPixmap pixmap = widget.grab();
        const auto file = out_ / (name + ".png");
        if (pixmap.save(QString::fromStdString(file.string())))
            ++written;
        else
            std::fprintf(stderr, "qxkat: cannot write %s\n", file.string().c_str());
        if (recorder_) {
            for (const std::string& line : recorder_->Problems(widget))
                problems_->push_back(name + ": " + line);
        }
    }

    AreaPage* Area() { return dynamic_cast<AreaPage*>(app_.Frame()->CurrentPage()); }

    void Walk() {
        AreaPage* area = Area();
        if (!area)
            return;
        Shoot("start");
        const int catalogue = FindEntry(*area, [](AreaTargetKind, const AreaEntry& e) {
            return e.target.str().find("KATALOG.BER") != std::string::npos;
        });
        if (catalogue < 0)
            return;
        area->DispatchEntry(catalogue);
        ShootSearches();
        area->HoverOver(AreaPage::kFirstButton); // no preview without entries
        Shoot("catalogue");
        const int sub = FindEntry(*area, [](AreaTargetKind k, const AreaEntry&) { return k == AreaTargetKind::SubArea; });
        if (sub < 0)
            return;
        area->DispatchEntry(sub);
        Shoot("subarea");
        const int deeper = FindEntry(*area, [](AreaTargetKind k, const AreaEntry&) { return k == AreaTargetKind::SubArea; });
        if (deeper >= 0) {
            area->DispatchEntry(deeper);
            Shoot("subarea2");
            area->Back();
        }
        const int group = FindEntry(*area, [](AreaTargetKind k, const AreaEntry& e) {
            return k == AreaTargetKind::GroupList && !e.target.empty();
        });
        if (group < 0)
            return;
        area->DispatchEntry(group);
        Pump();
        WalkGroupAndProducts();
    }

    // The search dialog of each mode over the start page; the product
    // searches filtered with the first word of a row further down.
    void ShootSearches() {
        GlobalState& s = app_.Context().state;
        const std::string term = s.searchTerm.str();
        const std::string choice = s.lastSearchChoice.str();
        const std::pair<const char*, int> modes[] = {{"keyword", kIndexSws},
                                                     {"toolnumber", kSearchNumber | kIndexAnr},
                                                     {"hln", kSearchNumber | kIndexAnr | kSearchHln},
                                                     {"standard", kIndexStd},
                                                     {"printcatalogue", kIndexPrb}};
        for (const auto& [name, mode] : modes) {
            s.lastSearchChoice.clear();
            s.searchTerm.clear();
            IndexList all;
            std::string none;
            if ((mode & (kIndexSws | kIndexAnr)) && all.Fill(s, mode, none, kStreamChunkBytes, 4) && all.Size() > 3) {
                const std::string_view row = all.Display(3);
                s.searchTerm = row.substr(0, row.find(' '));
            }
            SearchDialog dialog(app_.Frame(), app_.Context(), mode);
            dialog.ShowPage(true);
            Pump();
            Grab(dialog, "search_" + std::string(name) + suffix_);
            dialog.hide();
        }
        s.searchTerm = term;
        s.lastSearchChoice = choice;
    }

    void WalkGroupAndProducts() {
        auto* group = dynamic_cast<GroupPage*>(app_.Frame()->CurrentPage());
        if (!group)
            return;
        Shoot("group");
        ProductPage* product = nullptr;
        for (int i = 0; i < 6 && !product; ++i) {
            if (auto* g = dynamic_cast<GroupPage*>(app_.Frame()->CurrentPage()))
                g->Open();
            Pump();
            product = dynamic_cast<ProductPage*>(app_.Frame()->CurrentPage());
        }
        if (!product)
            return;
        GlobalState& s = app_.Context().state;
        const int mode = s.priceMode;
        for (const auto& [m, modeName] : kPriceModes) {
            s.priceMode = m;
            product->Invalidate();
            Shoot(std::string("product_") + modeName);
        }
        s.priceMode = mode;
        WalkProductOverlays(*product);
        // The first product with product information.
        for (int i = 0; i < product->RecordCount(); ++i) {
            product->SetCurSel(ProductPage::kList, i);
            product->SendCommand(ProductPage::kList, LBN_SELCHANGE);
            if (product->IsItemEnabled(ProductPage::kProductInfo)) {
                product->OpenProductInfo();
                Shoot("info");
                break;
            }
        }
        WalkOrders();
    }

    // The notes dialog and the drawing page of the first product with a drawing.
    void WalkProductOverlays(ProductPage& product) {
        if (const ProductRecord* r = product.CurrentRecord()) {
            NotesDialog notes(app_.Frame(), app_.Context(), r->number.str(), r->name.str());
            notes.ShowPage(true);
            Pump();
            Grab(notes, "notes" + suffix_);
            notes.hide();
        }
        for (int i = 0; i < product.RecordCount(); ++i) {
            product.SetCurSel(ProductPage::kList, i);
            product.SendCommand(ProductPage::kList, LBN_SELCHANGE);
            if (!product.IsItemEnabled(ProductPage::kDrawing))
                continue;
            product.OpenDrawing();
            Pump();
            DrawingPage* drawing = nullptr;
            for (DialogWindow* w : app_.Frame()->Client()->findChildren<DialogWindow*>()) {
                if (!drawing && !w->IsDestroyed())
                    drawing = dynamic_cast<DrawingPage*>(w);
            }
            if (drawing) {
                Shoot("drawing");
                drawing->Close();
                Pump();
            }
            break;
        }
        product.SetCurSel(ProductPage::kList, 0);
        product.SendCommand(ProductPage::kList, LBN_SELCHANGE);
    }

    // The planning area's requirements list and video, from a fresh start page.
    void WalkPlanning() {
        GlobalState& s = app_.Context().state;
        app_.Frame()->DestroyAllPages();
        s.pageMode = kPageArea;
        s.areaLevel = 0;
        app_.Frame()->PostShowPage();
        Pump();
        AreaPage* area = Area();
        if (!area)
            return;
        area->ShowArea("BE_PLAN.BER", "");
        const int list = FindEntry(
            *area, [](AreaTargetKind k, const AreaEntry&) { return k == AreaTargetKind::Requirements; });
        const int video =
            FindEntry(*area, [](AreaTargetKind k, const AreaEntry&) { return k == AreaTargetKind::Video; });
        if (video >= 0) {
            area->DispatchEntry(video);
            Pump();
            if (VideoPage* page = CurrentVideoPage()) {
                // A frame from the middle of the video when the media back end delivers one.
                QElapsedTimer timer;
                timer.start();
                while (page->Player() && page->Player()->FramesShown() < 20 && timer.elapsed() < 4000)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                if (page->Player())
                    page->Player()->Pause();
                Shoot("video");
                page->Close();
                Pump();
            }
        }
        area = Area();
        if (!area)
            return; // without a requirements entry the dispatch below does nothing
        area->DispatchEntry(list);
        Pump();
        if (auto* page = dynamic_cast<RequirementsPage*>(app_.Frame()->CurrentPage())) {
            if (page->RowCount() > 1) {
                page->SetCurSel(RequirementsPage::kList, 1);
                page->SendCommand(RequirementsPage::kList, LBN_SELCHANGE);
            }
            Shoot("requirements");
        }
    }

    // The quantity editor of each kind and the order list page with an entry
    // of every supplier, in each price mode.
    void WalkOrders() {
        GlobalState& s = app_.Context().state;
        const int mode = s.priceMode;
        OrderList list;
        list.indication = "Werkstatt 7";
        for (const char* supplier : {"QTX_VZ", "DORNA", "DERUZA"}) {
            OrderItem& item = list.items.emplace_back();
            item.quantity = "2";
            item.number = std::string("N-") + supplier;
            item.name = std::string("Artikel ") + supplier;
            item.remarks = "Halle 2";
            item.supplier = supplier;
            item.vzUnitEur = "123,4";
            item.upeUnitEur = "150";
            RecalcTotals(item, s.currency.str(), s.languageIndex);
        }
        const auto file = std::filesystem::temp_directory_path() / ("qxkat-snapshot-" + suffix_ + ".stk");
        if (!SaveOrderList(ToWindowsPath(file), list))
            return;
        const std::string previous = s.orderListPath.str();
        s.orderListPath = ToWindowsPath(file);
        DialogWindow* hidden = app_.Frame()->HideCurrentPage();
        OrderListPage* page = OpenOrderListPage(*app_.Frame(), app_.Context(), app_.Frame()->Client(), hidden);
        page->SetCurSel(OrderListPage::kList, 1);
        for (const auto& [m, modeName] : kPriceModes) {
            s.priceMode = m;
            page->Invalidate();
            Shoot(std::string("orderlist_") + modeName);
            for (const auto& [kind, kindName] :
                 {std::pair{kItemTakenOver, "taken"}, {kItemChanged, "changed"}, {kItemFree, "free"}}) {
                OrderItem work = list.items[0];
                work.kind = kind;
                QuantityEditor editor(app_.Frame(), app_.Context(), work);
                editor.ShowPage(true);
                Pump();
                Grab(editor, std::string("quantity_") + kindName + "_" + modeName + suffix_);
                editor.hide();
            }
        }
        s.priceMode = mode;

        // The order information and the distributors, laid over the list.
        page->ShowPage(false);
        OrderInfoPage* info = OpenOrderInfoPage(app_.Context(), app_.Frame()->Client(), page, s.orderListPath.str());
        Shoot("orderinfo");
        info->Close();
        page->ShowPage(false);
        SupplierSearchPage* suppliers = OpenSupplierSearchPage(app_.Context(), app_.Frame()->Client(), page);
        Shoot("suppliers");
        const std::string table = s.programDir.str() + DistributorTableName(s.languageIndex);
        if (const auto block = LoadCatalogFile(table)) {
            const auto countries = DistributorCountries(block->Content(), s.languageIndex);
            DistributorMatches found;
            if (!countries.empty())
                found = FindDistributors(block->Content(), countries.front(), kBrands[0].code, "");
            if (found.equipment.size() > 1) {
                DistributorListDialog choice(app_.Frame(), s.languageIndex, found.equipment);
                choice.ShowPage(true);
                Pump();
                Grab(choice, "distributors" + suffix_);
                choice.hide();
            }
        }
        suppliers->Close();
        page->DestroyWindow();
        Pump();
        if (width_ == 800)
            ShootLetters(list);
        s.orderListPath = previous;
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }

    // The first sheet of each supplier's letter, as printed (A4 at 100 dpi).
    void ShootLetters(const OrderList& list) {
        GlobalState& s = app_.Context().state;
        for (const std::string& supplier : LetterSuppliers(list)) {
            OrderList one;
            one.indication = list.indication;
            for (const OrderItem& e : list.items) {
                if (e.supplier == supplier)
                    one.items.push_back(e);
            }
            QImage sheet(827, 1169, QImage::Format_RGB32);
            sheet.fill(Qt::white);
            {
                QtDc dc(&sheet);
                LetterInput in;
                in.list = &one;
                in.state = &s;
                in.today = std::time(nullptr);
                in.info = LetterOrderInfo(s.orderListPath.str(), s.programDir.str(), s.languageIndex);
                if (auto addresses = ReadAddressFile(app_.Context().profile.GetString("Paths", "adr", "", 260)))
                    in.addresses = std::move(*addresses);
                LayOutOrderLetters(dc, in);
            }
            const std::string name = "letter_" + supplier + "_" + std::string(kLanguageTags[s.languageIndex]) + ".png";
            if (sheet.save(QString::fromStdString((out_ / name).string())))
                ++written;
        }
    }

private:
    CatalogApp& app_;
    std::filesystem::path out_;
    std::string suffix_;
    int width_;
    std::vector<std::string>* problems_;
    std::optional<LayoutRecorder> recorder_;
};

} // namespace

int WalkEveryPage(CatalogApp& app, const std::filesystem::path& outDir, int language, int width,
                  std::vector<std::string>* layoutProblems) {
    Walker walker(app, outDir, language, width, layoutProblems);
    walker.Walk();
    walker.WalkPlanning();
    return walker.written;
}

int RunSnapshots(const std::filesystem::path& programDir, const std::filesystem::path& outDir,
                 const std::filesystem::path& configFile, std::vector<std::string>* layoutProblems) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    ScopedScriptedUi ui;
    int written = 0;
    {
        // The language choice of every start.
        GlobalState state;
        state.programDir = ToWindowsPath(programDir, true);
        std::optional<LayoutRecorder> recorder;
        if (layoutProblems)
            recorder.emplace();
        LanguageDialog dialog(nullptr, state);
        dialog.ShowPage(true);
        Pump();
        if (recorder)
            recorder->Clear();
        if (dialog.grab().save(QString::fromStdString((outDir / "language_800.png").string())))
            ++written;
        if (recorder) {
            for (const std::string& line : recorder->Problems(dialog))
                layoutProblems->push_back("language_800: " + line);
        }
        dialog.hide();
    }
    for (int language = 0; language < 4; ++language) {
        for (int width : {640, 800, 1024}) {
            CatalogApp::Options options;
            options.programDir = programDir;
            options.configFile = configFile;
            options.desktopWidth = width;
            options.language = language;
            CatalogApp app(options);
            if (!app.StartUp())
                continue;
            Pump();
            written += WalkEveryPage(app, outDir, language, width, layoutProblems);
            app.Exit();
            Pump();
        }
    }
    for (const std::string& m : ui->Messages())
        std::fprintf(stderr, "qxkat: message shown: %s\n", m.c_str());
    return written;
}

} // namespace qx
