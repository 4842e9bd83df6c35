#include "print/ui/PrintJob.h"

#include "print/AbortableDc.h"
#include "print/PrintMapping.h"
#include "print/ui/PrintProgressDialog.h"
#include "platform/qt/Print.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace qx {

namespace {

// The running job. The printout draws into `dc`, which forwards to the back
// end's context and runs the abort procedure on the way.
struct Job {
    QPointer<QWidget> owner;
    // The top-level window disabled for the job, and whether it was enabled before.
    QPointer<QWidget> window;
    bool windowWasEnabled = true;
    QPointer<PrintProgressDialog> dialog;
    std::unique_ptr<Dc> printer;
    std::unique_ptr<AbortableDc> dc;
};

Job g_job;
bool g_userAbort = false;
bool g_pumping = false;

bool StartJob(QWidget* owner, int languageIndex, bool withPage) {
    // One job at a time: a print started from inside a running one would end
    // the outer job's document under its feet.
    if (PrintJob::IsStarted())
        return false;
    std::unique_ptr<Dc> printer = PrintBackend::ChoosePrinter(owner);
    if (!printer)
        return false;
    g_job.printer = std::move(printer);
    g_job.dc = std::make_unique<AbortableDc>(*g_job.printer, &PrintJob::AbortProc,
                                             [](Dc& dc) { PrintBackend::Abort(dc); });
    g_job.owner = owner;
    g_userAbort = false;

    auto* dialog = new PrintProgressDialog(owner, languageIndex, [] { g_userAbort = true; });
    g_job.dialog = dialog;
    dialog->ShowPage(true);
    if (owner) {
        // The whole window, menus and every page with it: nothing may start
        // a second job or destroy the printing page while this one runs.
        g_job.window = owner->window();
        g_job.windowWasEnabled = g_job.window->isEnabled();
        g_job.window->setEnabled(false);
        // Disabling a window disables the windows it owns too; the progress
        // dialog is the one that must keep taking input.
        dialog->setEnabled(true);
    }
    if (withPage)
        g_job.dc->StartPage();
    return true;
}

} // namespace

bool PrintJob::Start(QWidget* owner, int languageIndex) {
    return StartJob(owner, languageIndex, true);
}

bool PrintJob::StartWithoutPage(QWidget* owner, int languageIndex) {
    return StartJob(owner, languageIndex, false);
}

bool PrintJob::IsStarted() { return g_job.printer != nullptr; }

Dc* PrintJob::GetDc() { return g_job.dc.get(); }

void PrintJob::Finish() {
    if (!IsStarted())
        return;
    // After an abort both calls do nothing: the back end has dropped the job.
    g_job.dc->EndPage();
    if (!g_job.dc->IsAbandoned())
        PrintBackend::EndDoc(*g_job.printer);
    g_job.dc.reset();
    g_job.printer.reset();
    if (g_job.window)
        g_job.window->setEnabled(g_job.windowWasEnabled);
    if (g_job.dialog)
        g_job.dialog->DestroyWindow();
    g_job.owner.clear();
    g_job.window.clear();
    g_job.dialog.clear();
}

void PrintJob::Run(QWidget* owner, int languageIndex, const std::function<void(Dc&)>& draw) {
    if (!Start(owner, languageIndex))
        return;
    if (Dc* dc = GetDc()) {
        SetupPrintMapping(*dc, 640, 480);
        draw(*dc);
    }
    Finish();
}

bool PrintJob::AbortProc() {
    // Drawing done by an event handler must not pump again.
    if (!g_pumping) {
        g_pumping = true;
        QCoreApplication::processEvents();
        g_pumping = false;
    }
    if (g_userAbort && g_job.dc)
        g_job.dc->Abandon();
    return !g_userAbort;
}

bool PrintJob::UserAbort() { return g_userAbort; }

void PrintJob::Abort() {
    if (IsStarted())
        g_userAbort = true;
}

} // namespace qx
