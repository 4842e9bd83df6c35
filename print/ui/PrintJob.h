#pragma once
// The one print job of the program: printer choice, a progress dialog with
// "Abbrechen", the document "QTX" and its pages. A print runs synchronously
// in the handler that started it; the abort procedure keeps the progress
// dialog responsive meanwhile.

#include <functional>

class QWidget;

namespace qx {

class Dc;

class PrintJob {
public:
    // Shows the print set-up (no dialog with a print-to directory or a test
    // recorder installed); on confirmation opens the progress dialog owned by
    // owner, disables owner's whole window (menus included), starts the
    // document and its first page, and answers true. Cancelled, or while
    // another job runs: nothing is started and the answer is false; the
    // caller then draws nothing and does not call Finish.
    [[nodiscard]] static bool Start(QWidget* owner, int languageIndex);
    static bool IsStarted();
    // The printer device context of the running job, or nullptr.
    static Dc* GetDc();
    // Ends the page and the document, re-enables the owner, closes the dialog.
    static void Finish();

    // A whole printout in one call: Start, the page system of SetupPrintMapping,
    // draw on the job's context, Finish. Cancelled or busy: draw is not called.
    static void Run(QWidget* owner, int languageIndex, const std::function<void(Dc&)>& draw);

    // For jobs that manage their pages themselves (order letters): like
    // Start, but no page is started.
    [[nodiscard]] static bool StartWithoutPage(QWidget* owner, int languageIndex);

    // Pumps waiting events (the progress dialog's "Abbrechen" among them);
    // false once the user has aborted.
    static bool AbortProc();
    static bool UserAbort();
    // Asks the running job to stop, as its "Abbrechen" does.
    static void Abort();
};

} // namespace qx
