#pragma once
// The print back end: a device context per print job, on a printer chosen in
// the system's print dialog, on a PDF file (qxkat --print-to DIR), or on
// whatever a test installs.
//
// A job's context starts no page by itself: the first StartPage opens the
// document and its first page, each later StartPage a new sheet; EndPage
// closes the page. The document ends with EndDoc or when the context is
// destroyed. GetDeviceCaps(HorzRes/VertRes) is the printable area in device
// pixels; the page mapping is the print job's business.

#include "platform/qt/QtDc.h"

#include <QPainter>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace qx {

class PrinterDc : public QtDc {
public:
    explicit PrinterDc(std::unique_ptr<QPrinter> printer);
    // An A4 PDF at 600 dpi with 5 mm margins, written to the file.
    explicit PrinterDc(const QString& pdfFile);
    ~PrinterDc() override;

    // Both fail (false) after Abort and once the document has ended; drawing
    // outside an open page does nothing.
    bool StartPage() override;
    bool EndPage() override;
    // Ends the document (closing an open page). False when it was aborted
    // or the device reported an error.
    bool EndDoc();
    // Abandons the job: a printer drops it, a PDF file is removed. Every
    // later call fails and does nothing.
    void Abort();
    bool IsAborted() const { return aborted_; }
    int PagesStarted() const { return pages_; }

private:
    PrinterDc(std::unique_ptr<QPrinter> printer, std::unique_ptr<QPdfWriter> pdf, const QString& pdfFile);

    QPagedPaintDevice* paged_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPdfWriter> pdf_;
    QString pdfFile_;
    QPainter painter_;
    bool pageOpen_ = false;
    bool ended_ = false;
    bool aborted_ = false;
    int pages_ = 0;
};

class PrintBackend {
public:
    // The context for one print job, document name "QTX"; null when the user
    // cancels the print dialog (or the recorder returns null). Overrides, in
    // this order: the recorder, the print directory, else the dialog over the
    // system's printers with printing to a PDF file offered.
    static std::unique_ptr<Dc> ChoosePrinter(QWidget* owner);

    // Every job becomes DIR/QTX-<n>.pdf, n counting up from 1 and skipping
    // files that exist; no dialog. An empty directory turns this off.
    static void SetPrintToDirectory(const QString& directory);
    // Jobs get the recorder's context instead (e.g. a printer-mode
    // RecordingDc). An empty function turns this off.
    static void SetPrintRecorder(std::function<std::unique_ptr<Dc>()> recorder);

    // Document control for any job's context; contexts that are not printer
    // contexts (recorders) have nothing to end (true) or to abandon.
    static bool EndDoc(Dc& dc);
    static void Abort(Dc& dc);
};

} // namespace qx
