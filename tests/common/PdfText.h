#pragma once
// The text of a PDF file (one page, or all with page 0) as poppler's
// pdftotext reads it; empty when pdftotext is not there.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

namespace qx::test {

inline QString PdfText(const QString& file, int page = 0, bool layout = false) {
    QStringList args;
    if (layout)
        args << QStringLiteral("-layout");
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << file << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline std::string PdfText(const std::filesystem::path& file, int page = 0, bool layout = false) {
    return PdfText(QString::fromStdString(file.string()), page, layout).toStdString();
}

} // namespace qx::test
