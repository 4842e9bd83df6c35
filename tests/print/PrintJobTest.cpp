#include "print/ui/PrintJob.h"

#include "print/PrintMapping.h"
#include "print/ui/PrintProgressDialog.h"
#include "platform/core/CodePage.h"
#include "platform/core/RecordingDc.h"
#include "platform/core/Ui.h"
#include "platform/qt/Print.h"
#include "tests/common/DrawDump.h"
#include "tests/common/TempDir.h"
#include "tests/platform/QtTestApp.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace qx {
namespace {

// Leaves what the job drew behind when the job deletes its context at Finish.
class KeptRecordingDc : public RecordingDc {
public:
    explicit KeptRecordingDc(RecordingDc& out) : RecordingDc({4800, 6800}, true), out_(out) {}
    ~KeptRecordingDc() override { out_ = *this; }

private:
    RecordingDc& out_;
};

class PrintJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAnsiCodePage(CodePage::Cp1252);
        owner.setGeometry(100, 80, 640, 480);
        owner.show();
    }
    void TearDown() override {
        PrintJob::Finish();
        PrintBackend::SetPrintRecorder({});
        PrintBackend::SetPrintToDirectory(QString());
    }
    void RecordJobs() {
        PrintBackend::SetPrintRecorder([this] { return std::make_unique<KeptRecordingDc>(recorded); });
    }
    PrintProgressDialog* Dialog() {
        for (QObject* child : owner.children())
            if (auto* d = dynamic_cast<PrintProgressDialog*>(child); d && !d->IsDestroyed())
                return d;
        return nullptr;
    }
    static QPushButton* CancelButton(PrintProgressDialog* dialog) {
        return qobject_cast<QPushButton*>(dialog->Item(IDCANCEL));
    }
    // Finish hides the dialog at once; it is deleted by the event loop.
    static bool Gone(QPointer<PrintProgressDialog>& dialog) {
        if (dialog && dialog->isVisible())
            return false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.isNull();
    }

    QApplication& app = test::TestApp(); // before any widget
    QWidget owner;
    RecordingDc recorded;
};

TEST_F(PrintJobTest, TwoPagesThenFinishEnablesOwnerAndClosesDialog) {
    RecordJobs();
    ASSERT_TRUE(PrintJob::Start(&owner, 0));
    Dc* dc = PrintJob::GetDc();
    ASSERT_TRUE(PrintJob::IsStarted() && dc);
    EXPECT_FALSE(owner.isEnabled() || PrintJob::UserAbort());
    // A print started inside the running one starts nothing and leaves the running job its context.
    PrintBackend::SetPrintRecorder([]() -> std::unique_ptr<Dc> { throw std::logic_error("a printer chosen twice"); });
    EXPECT_FALSE(PrintJob::Start(&owner, 0) || PrintJob::StartWithoutPage(&owner, 0) || PrintJob::GetDc() != dc);

    QPointer<PrintProgressDialog> dialog = Dialog();
    ASSERT_TRUE(dialog && dialog->isVisible());
    QPushButton* cancel = CancelButton(dialog);
    EXPECT_TRUE(cancel && cancel->isEnabled()) << "the dialog must take input while its owner is disabled";
    const Rect client = DialogUnits(0, 0, 150, 66);
    EXPECT_EQ(dialog->size(), QSize(client.Width(), client.Height()));
    const Rect button = DialogUnits(29, 39, 91, 14);
    EXPECT_EQ(cancel->geometry(), QRect(button.left, button.top, button.Width(), button.Height()));
    EXPECT_LE((dialog->geometry().center() - owner.geometry().center()).manhattanLength(), 4);
    // The message is painted centred in its box.
    const Rect box = DialogUnits(10, 16, 120, 22);
    const QRect ink = test::InkBox(dialog->grab().toImage().convertToFormat(QImage::Format_RGB32), 0xFFFFFFFF,
                                   QRect(box.left, box.top, box.Width(), box.Height()));
    EXPECT_TRUE(ink.width() > 60 && std::abs(ink.center().x() - (box.left + box.right) / 2) <= 6) << ink.x();

    SetupPrintMapping(*dc, 640, 480);
    dc->TextOut(45, 104, "Bestellliste");
    int y = 780;
    EXPECT_TRUE(NewPageIfFull(y, *dc, 780));
    dc->TextOut(300, 30, "2");
    PrintJob::Finish();

    EXPECT_TRUE(!PrintJob::IsStarted() && !PrintJob::GetDc() && owner.isEnabled() && Gone(dialog));
    EXPECT_EQ(test::Dump(recorded.Calls()), "startpage p1\n"
              "text 45,104 \"Bestellliste\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>4800x3600 p1\n"
              "endpage iso 640x480>4800x3600 p1\n"
              "startpage iso 640x480>4800x3600 p2\n"
              "text 300,30 \"2\" Arial/-12/400 #000000 fmt=0 clear iso 640x480>4800x3600 p2\n"
              "endpage iso 640x480>4800x3600 p2\n");
}

// Each language's dialog; jobs that own their pages; a cancelled set-up.
TEST_F(PrintJobTest, WithoutPageTheCallerOwnsThePagesInEveryLanguage) {
    RecordJobs();
    const struct {
        int language;
        CodePage codePage;
        QString title, cancel;
    } cases[] = {{0, CodePage::Cp1252, QStringLiteral("Drucken"), QStringLiteral("Abbrechen")},
                 {1, CodePage::Cp1252, QStringLiteral("Printing.."), QStringLiteral("Cancel")},
                 {3, CodePage::Cp1250, QStringLiteral("Tisk..."), QStringLiteral("Zrušit")}};
    for (const auto& c : cases) {
        SetAnsiCodePage(c.codePage);
        ASSERT_TRUE(PrintJob::StartWithoutPage(&owner, c.language));
        PrintProgressDialog* dialog = Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(std::pair(dialog->windowTitle(), CancelButton(dialog)->text()), std::pair(c.title, c.cancel));
        Dc* dc = PrintJob::GetDc();
        for (const char* letter : {"QTX_VZ", "DORNA"}) {
            ASSERT_TRUE(dc->StartPage());
            SetupPrintMapping(*dc, 640, 480);
            dc->TextOut(45, 320, letter);
            EXPECT_TRUE(dc->EndPage());
        }
        PrintJob::Finish();
        EXPECT_EQ(std::tuple(owner.isEnabled(), recorded.PagesStarted(), recorded.PagesEnded()), std::tuple(true, 2, 2))
            << "Finish ends no page not open";
    }

    PrintBackend::SetPrintRecorder([] { return std::unique_ptr<Dc>(); });
    EXPECT_FALSE(PrintJob::Start(&owner, 0) || PrintJob::IsStarted() || PrintJob::GetDc() || Dialog());
    PrintJob::Finish(); // nothing to finish
    EXPECT_TRUE(owner.isEnabled());
}

// Ten thousand lines down the sheets, without looking at UserAbort.
void LongPrintout(Dc& dc) {
    SetupPrintMapping(dc, 640, 480);
    int y = 104;
    for (int i = 0; i < 10000; ++i) {
        dc.MoveTo(45, y);
        dc.LineTo(608, y);
        y += 10;
        NewPageIfFull(y, dc, 780);
    }
}

TEST_F(PrintJobTest, AbbrechenEndsALongJob) {
    RecordJobs();
    ASSERT_TRUE(PrintJob::Start(&owner, 0));
    QPointer<PrintProgressDialog> dialog = Dialog();
    ASSERT_TRUE(dialog);
    // Runs at the first turn of the abort procedure during the printout.
    QTimer::singleShot(0, dialog, [&dialog] { CancelButton(dialog)->click(); });
    LongPrintout(*PrintJob::GetDc());

    EXPECT_TRUE(PrintJob::UserAbort() && !PrintJob::AbortProc());
    EXPECT_TRUE(dialog && dialog->isVisible() && !owner.isEnabled()) << "the dialog stays until the job finishes";
    PrintJob::Finish();
    EXPECT_TRUE(owner.isEnabled() && Gone(dialog));
    const auto lines = std::count_if(recorded.Calls().begin(), recorded.Calls().end(),
                                     [](const DrawCall& c) { return c.kind == DrawCall::Kind::Line; });
    EXPECT_TRUE(lines >= 1 && lines < 100) << lines << " lines: drawing stops at the abort";
    EXPECT_EQ(std::pair(recorded.PagesStarted(), recorded.PagesEnded()), std::pair(1, 0)) << "an abandoned job ends no page";

    // The next job starts afresh.
    ASSERT_TRUE(PrintJob::Start(&owner, 0));
    EXPECT_TRUE(!PrintJob::UserAbort() && PrintJob::AbortProc());
    PrintJob::Finish();
}

// What the PDF holds is checked with the printer context and its back end;
// here an aborted job's route: no file is left behind.
TEST_F(PrintJobTest, AnAbortedJobLeavesNoPdf) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.Path().string());
    PrintBackend::SetPrintToDirectory(path);
    ASSERT_TRUE(PrintJob::Start(&owner, 0));
    PrintJob::Abort();
    LongPrintout(*PrintJob::GetDc());
    PrintJob::Finish();
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_TRUE(QDir(path).entryList({QStringLiteral("*.pdf")}).isEmpty());
}

} // namespace
} // namespace qx
