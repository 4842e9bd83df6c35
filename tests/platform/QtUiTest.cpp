#include "platform/core/CodePage.h"
#include "platform/core/Path.h"
#include "platform/qt/QtUi.h"
#include "platform/qt/Window.h"
#include "tests/common/TempDir.h"
#include "tests/platform/QtTestApp.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <set>
#include <vector>

namespace qx {
namespace {

// Runs `act` on the modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            WhenModal(act);
            return;
        }
        act(w);
    });
}

void PressEscape(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool stillOpenAfterEscape = false;
};

// Shows a box; the dialog side presses Escape, then (if still open) clicks
// the button with the given standard role.
int AskAndAnswer(QtUi& ui, std::string_view text, unsigned type, QMessageBox::StandardButton click, SeenBox& seen) {
    WhenModal([&seen, click](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->findChildren<QPushButton*>().size());
        PressEscape(box);
        seen.stillOpenAfterEscape = box->isVisible();
        if (box->isVisible() && click != QMessageBox::NoButton)
            box->button(click)->click();
    });
    return ui.MessageBox(text, "QUARVENTA AG", type);
}

TEST(QtUiTest, MessageBoxButtonsIconsAndEscape) {
    test::TestApp();
    SetAnsiCodePage(CodePage::Cp1252);
    QtUi ui;
    SeenBox ok;
    EXPECT_EQ(AskAndAnswer(ui, "M\xF6" "chten Sie das Programm beenden?", MB_OK | MB_ICONEXCLAMATION,
                           QMessageBox::NoButton, ok),
              IDOK);
    EXPECT_EQ(ok.title, QStringLiteral("QUARVENTA AG"));
    EXPECT_EQ(ok.text, QStringLiteral("Möchten Sie das Programm beenden?"));
    EXPECT_EQ(ok.icon, QMessageBox::Warning);
    const auto box = [&ui](unsigned type, QMessageBox::StandardButton click) {
        SeenBox seen;
        const int answer = AskAndAnswer(ui, "?", type, click, seen);
        return std::tuple{answer, seen.icon, seen.buttons, seen.stillOpenAfterEscape};
    };
    using QM = QMessageBox;
    EXPECT_EQ(box(MB_OK, QM::NoButton), std::tuple(IDOK, QM::NoIcon, 1, false));
    EXPECT_EQ(box(MB_OKCANCEL | MB_ICONEXCLAMATION, QM::NoButton), std::tuple(IDCANCEL, QM::Warning, 2, false));
    EXPECT_EQ(box(MB_YESNOCANCEL, QM::NoButton), std::tuple(IDCANCEL, QM::NoIcon, 3, false));
    // Yes/No has no Escape; the user has to choose.
    EXPECT_EQ(box(MB_YESNO | MB_ICONINFORMATION, QM::No), std::tuple(IDNO, QM::Information, 2, true));
    EXPECT_EQ(box(MB_YESNO, QM::Yes), std::tuple(IDYES, QM::NoIcon, 2, true));
}

TEST(QtUiTest, NameFiltersAndCommandLines) {
    SetAnsiCodePage(CodePage::Cp1252);
    EXPECT_EQ(NameFiltersOf("Installationspfad | *.* ||"), QStringList{QStringLiteral("Installationspfad (*)")});
    EXPECT_EQ(NameFiltersOf("Bilder (*.bmp;*.jpg) | *.bmp;*.jpg | Alle Dateien | *.* ||"),
              (QStringList{QStringLiteral("Bilder (*.bmp *.jpg)"), QStringLiteral("Alle Dateien (*)")}));
    SetAnsiCodePage(CodePage::Cp1250);
    EXPECT_EQ(NameFiltersOf("Objedn\xE1vka (*.stk) | *.stk ||"), QStringList{QStringLiteral("Objednávka (*.stk)")});
    SetAnsiCodePage(CodePage::Cp1252);
    EXPECT_TRUE(NameFiltersOf("").isEmpty());

    // The program ends after its ".exe" (not inside a longer name) or the first blank.
    for (const auto& [line, program, arguments] :
         {std::tuple{"C:\\Programme\\Viewer\\view.exe D:\\PDF\\LANG1\\a.pdf", "C:\\Programme\\Viewer\\view.exe",
                     "D:\\PDF\\LANG1\\a.pdf"},
          {"C:\\Program Files\\Tool.EXE -a  b ", "C:\\Program Files\\Tool.EXE", "-a  b"},
          {"notepad readme.txt", "notepad", "readme.txt"}, {"C:\\My Tools\\run.exe", "C:\\My Tools\\run.exe", ""},
          {"\"C:\\a b\\x.exe\" y z", "C:\\a b\\x.exe", "y z"}, {"C:\\x.exefile arg", "C:\\x.exefile", "arg"}})
        EXPECT_EQ(SplitCommandLine(line), (std::pair<std::string, std::string>(program, arguments))) << line;
}

TEST(QtUiTest, FileDialogsStartWhereAskedAndAnswerInBackslashForm) {
    test::TestApp();
    SetAnsiCodePage(CodePage::Cp1252);
    test::TempDir dir;
    dir.Write("ALT.STK", "x");
    QtUi ui;
    FileDialogSpec spec;
    spec.fileName = "*.STK";
    spec.filter = "Bestellliste (*.stk) | *.stk ||";
    spec.initialDirectory = ToWindowsPath(dir.Path());
    spec.defaultExtension = "stk";

    QString seenDir;
    QStringList seenFilters;
    bool seenSave = true;
    WhenModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        seenDir = d->directory().absolutePath();
        seenFilters = d->nameFilters();
        seenSave = d->acceptMode() == QFileDialog::AcceptSave;
        // A name that does not exist yet: a new order list.
        d->selectFile(QStringLiteral("neu"));
        static_cast<QDialog*>(d)->accept(); // virtual: QFileDialog::accept
    });
    const std::optional<std::string> opened = ui.GetOpenFileName(spec);
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(*opened, ToWindowsPath(dir / "neu.stk"));
    EXPECT_EQ(std::tuple(seenDir, seenFilters, seenSave), std::tuple(QString::fromStdString(dir.Path().string()),
                                                                    QStringList{QStringLiteral("Bestellliste (*.stk)")},
                                                                    false));

    // Save: an existing name is taken as it is when no overwrite prompt is asked for.
    spec.fileName = "ALT.STK";
    WhenModal([&](QWidget* w) {
        seenSave = qobject_cast<QFileDialog*>(w)->acceptMode() == QFileDialog::AcceptSave;
        static_cast<QDialog*>(w)->accept(); // virtual: QFileDialog::accept
    });
    const std::optional<std::string> saved = ui.GetSaveFileName(spec);
    EXPECT_TRUE(seenSave);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, ToWindowsPath(dir / "ALT.STK"));

    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(ui.GetOpenFileName(spec).has_value());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls.append(url); }
};

TEST(QtUiTest, ShellOpenAndRunProgramNeedAnExistingFile) {
    test::TestApp();
    test::TempDir dir;
    const auto doc = dir.Write("PDF/LANG1/Katalog.pdf", "%PDF-1.4");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QtUi ui;
    // Letter case of the catalogue's path does not matter.
    EXPECT_TRUE(ui.ShellOpen(ToWindowsPath(dir.Path()) + "\\pdf\\lang1\\KATALOG.PDF"));
    EXPECT_FALSE(ui.ShellOpen(ToWindowsPath(dir.Path()) + "\\PDF\\LANG1\\fehlt.pdf"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl::fromLocalFile(QString::fromStdString(doc.string())));

    EXPECT_TRUE(ui.RunProgram("\\bin\\true Katalog.pdf"));
    EXPECT_FALSE(ui.RunProgram(ToWindowsPath(dir.Path()) + "\\fehlt.exe /x"));
    EXPECT_FALSE(ui.RunProgram(""));
}

// The desktop's opener finds no program for the file and ends in failure
// after ShellOpen returned: whoever asked is told which file.
TEST(QtUiTest, AnOpenerThatFindsNoProgramIsTold) {
    test::TestApp();
    test::TempDir dir;
    dir.Write("Katalog.pdf", "%PDF-1.4");
    const auto opener = dir.Write("bin/xdg-open", "#!/bin/sh\nexit 3\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString((dir / "bin").string()) + ":" + path);
    std::vector<std::string> told;
    QtUi ui;
    ui.SetOpenFailedNotice([&told](const std::string& file) { told.push_back(file); });
    const std::string doc = ToWindowsPath(dir.Path()) + "\\Katalog.pdf";
    EXPECT_TRUE(ui.ShellOpen(doc));
    EXPECT_TRUE(QTest::qWaitFor([&told] { return !told.empty(); }, 10000)); // the opener runs on its own
    EXPECT_EQ(told, std::vector<std::string>{doc});
    qputenv("PATH", path);
}

// Dialog windows: the list box without items of its own (a row count, rows
// drawn by the owner on demand, the selection and notifications of any list
// box), and who takes the keyboard when a window appears.
constexpr int kList = 1080;

class RowsDialog : public DialogWindow {
public:
    RowsDialog() : DialogWindow(nullptr, Kind::Modal) {
        ControlStyle style;
        style.ownerDraw = true;
        style.hasStrings = false;
        style.noData = true;
        style.itemHeight = 16;
        AddControl(kList, ControlKind::ListBox, style);
        MoveItem(kList, Rect{0, 0, 200, 160});
        resize(200, 160);
    }
    std::set<int> drawn;
    std::vector<std::pair<int, int>> commands;

protected:
    void OnDrawItem(DrawItem& item) override {
        drawn.insert(item.itemId);
        item.dc->FillRect(item.rect, item.selected ? Rgb(0, 0, 255) : Rgb(255, 255, 255));
    }
    void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
};

TEST(NoDataList, HoldsTwoHundredThousandRowsAndDrawsOnlyTheVisible) {
    test::TestApp();
    RowsDialog d;
    d.SetListCount(kList, 200000);
    d.SetCurSel(kList, 0);
    d.show();
    QApplication::processEvents(); // the view lays its rows out when it gets to it
    d.repaint();
    EXPECT_EQ(std::pair(d.GetCount(kList), d.GetCurSel(kList)), std::pair(200000, 0));
    // 160 pixels of 16-pixel rows, and a part row, from the first.
    EXPECT_TRUE(!d.drawn.empty() && d.drawn.size() <= 12u && *d.drawn.rbegin() == int(d.drawn.size()) - 1);

    // Selecting from the program scrolls there and tells nothing.
    d.drawn.clear();
    d.SetCurSel(kList, 199999);
    QApplication::processEvents();
    d.repaint();
    EXPECT_EQ(d.GetCurSel(kList), 199999);
    EXPECT_TRUE(d.drawn.count(199999) && d.drawn.size() <= 12u && d.commands.empty());

    // The user's keys and clicks tell, as with any list box.
    QWidget* list = d.Item(kList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(d.GetCurSel(kList), 199998);
    EXPECT_EQ(d.commands, (std::vector<std::pair<int, int>>{{kList, LBN_SELCHANGE}}));
    auto* view = static_cast<QListView*>(list);
    const QRect row = view->visualRect(view->model()->index(199995, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(d.GetCurSel(kList), 199995);
    EXPECT_EQ(d.commands.back(), std::make_pair(kList, static_cast<int>(LBN_DBLCLK)));

    // Refilled shorter, the selection is gone; out of range selects nothing.
    d.SetListCount(kList, 3);
    EXPECT_EQ(std::pair(d.GetCount(kList), d.GetCurSel(kList)), std::pair(3, -1));
    d.SetCurSel(kList, 3);
    EXPECT_EQ(d.GetCurSel(kList), -1);
    d.ResetContent(kList);
    EXPECT_EQ(d.GetCount(kList), 0);
}

// Tab goes from control to control of the window; a list box with strings is
// selected from the program without telling, as the one without items is.
TEST(Window, TabWalksTheControlsAndSelectingFromTheProgramTellsNothing) {
    test::TestApp();
    RowsDialog d;
    QWidget* first = d.AddControl(1, ControlKind::Edit);
    QWidget* second = d.AddControl(2, ControlKind::Edit);
    d.MoveItem(1, Rect{0, 170, 90, 190});
    d.MoveItem(2, Rect{100, 170, 190, 190});
    d.AddControl(3, ControlKind::ListBox);
    for (const char* text : {"eins", "zwei"})
        d.AddString(3, text);
    d.show();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(d.focusWidget(), second);
    QTest::keyClick(second, Qt::Key_Backtab);
    EXPECT_EQ(d.focusWidget(), first);
    d.commands.clear();
    d.SetCurSel(3, 1);
    EXPECT_EQ(d.GetCurSel(3), 1);
    EXPECT_TRUE(d.commands.empty());
}

// A page shown by its parent leaves the keyboard where it was; a dialog that
// appears takes it.
TEST(Window, OnlyDialogsTakeTheKeyboardWhenTheyAppear) {
    test::TestApp();
    QWidget top;
    auto* typing = new QLineEdit(&top);
    DialogWindow page(&top, DialogWindow::Kind::Page);
    QWidget* pageEdit = page.AddControl(1, ControlKind::Edit);
    top.show();
    QApplication::setActiveWindow(&top);
    typing->setFocus();
    page.show();
    EXPECT_EQ(QApplication::focusWidget(), typing);

    DialogWindow dialog(&top, DialogWindow::Kind::Modal);
    QWidget* dialogEdit = dialog.AddControl(2, ControlKind::Edit);
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.focusWidget(), dialogEdit);
    EXPECT_NE(page.focusWidget(), pageEdit);
}

} // namespace
} // namespace qx

#include "QtUiTest.moc"
