#include "platform/qt/Print.h"
#include "platform/qt/Desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace qx {

namespace {

const QString kDocumentName = QStringLiteral("QTX");

QString g_printDirectory;
int g_nextPdfNumber = 1;
std::function<std::unique_ptr<Dc>()> g_recorder;

// The next QTX-<n>.pdf that does not exist yet. The number goes on counting
// within a run, so two jobs whose files are not written yet never collide.
QString NextPdfFile() {
    QDir dir(g_printDirectory);
    dir.mkpath(QStringLiteral("."));
    for (;; ++g_nextPdfNumber) {
        const QString name = dir.filePath(QStringLiteral("QTX-%1.pdf").arg(g_nextPdfNumber));
        if (!QFileInfo::exists(name)) {
            ++g_nextPdfNumber;
            return name;
        }
    }
}

std::unique_ptr<QPdfWriter> MakePdfWriter(const QString& file) {
    auto pdf = std::make_unique<QPdfWriter>(file);
    pdf->setTitle(kDocumentName);
    pdf->setCreator(QStringLiteral("qxkat"));
    pdf->setResolution(600);
    // A printer cannot print to the edge either; the margins stand for that.
    pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                   QPageLayout::Millimeter));
    return pdf;
}

} // namespace

PrinterDc::PrinterDc(std::unique_ptr<QPrinter> printer, std::unique_ptr<QPdfWriter> pdf, const QString& pdfFile)
    : QtDc(printer ? static_cast<QPagedPaintDevice*>(printer.get()) : pdf.get(), nullptr),
      paged_(printer ? static_cast<QPagedPaintDevice*>(printer.get()) : pdf.get()), printer_(std::move(printer)),
      pdf_(std::move(pdf)), pdfFile_(pdfFile) {
    if (printer_)
        printer_->setDocName(kDocumentName);
}

PrinterDc::PrinterDc(std::unique_ptr<QPrinter> printer) : PrinterDc(std::move(printer), nullptr, QString()) {}

PrinterDc::PrinterDc(const QString& pdfFile) : PrinterDc(nullptr, MakePdfWriter(pdfFile), pdfFile) {}

PrinterDc::~PrinterDc() {
    if (!ended_ && !aborted_)
        EndDoc();
}

bool PrinterDc::StartPage() {
    if (aborted_ || ended_ || pageOpen_ || !paged_)
        return false;
    if (pages_ == 0) {
        // Beginning to paint starts the document and its first sheet.
        if (!painter_.begin(paged_))
            return false;
    } else if (!paged_->newPage()) {
        return false;
    }
    ++pages_;
    pageOpen_ = true;
    SetPainter(&painter_);
    return true;
}

bool PrinterDc::EndPage() {
    if (aborted_ || ended_ || !pageOpen_)
        return false;
    pageOpen_ = false;
    SetPainter(nullptr);
    return true;
}

bool PrinterDc::EndDoc() {
    if (aborted_ || ended_)
        return false;
    pageOpen_ = false;
    ended_ = true;
    SetPainter(nullptr);
    if (!painter_.isActive())
        return pages_ == 0;
    return painter_.end();
}

void PrinterDc::Abort() {
    if (aborted_)
        return;
    aborted_ = true;
    pageOpen_ = false;
    SetPainter(nullptr);
    if (printer_ && painter_.isActive())
        printer_->abort();
    if (painter_.isActive())
        painter_.end();
    if (pdf_ && !pdfFile_.isEmpty() && !ended_)
        QFile::remove(pdfFile_);
}

std::unique_ptr<Dc> PrintBackend::ChoosePrinter(QWidget* owner) {
    if (g_recorder)
        return g_recorder();
    if (!g_printDirectory.isEmpty())
        return std::make_unique<PrinterDc>(NextPdfFile());

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(kDocumentName);
    QPrintDialog dialog(printer.get(), owner);
    // Whole documents only; copies are the driver's business. Printing to
    // a PDF file stays on offer.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    ActivateWhenShown(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<PrinterDc>(std::move(printer));
}

void PrintBackend::SetPrintToDirectory(const QString& directory) {
    g_printDirectory = directory;
    g_nextPdfNumber = 1;
}

void PrintBackend::SetPrintRecorder(std::function<std::unique_ptr<Dc>()> recorder) { g_recorder = std::move(recorder); }

bool PrintBackend::EndDoc(Dc& dc) {
    if (auto* printer = dynamic_cast<PrinterDc*>(&dc))
        return printer->EndDoc();
    return true;
}

void PrintBackend::Abort(Dc& dc) {
    if (auto* printer = dynamic_cast<PrinterDc*>(&dc))
        printer->Abort();
}

} // namespace qx
