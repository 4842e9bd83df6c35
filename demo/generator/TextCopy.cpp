// Copies the text sources into the catalogue: UTF-8 becomes the code page
// of the file's language, LF becomes CR LF, and ".scramble" sources are
// written in the scrambled price-file form.
#include "Layout.h"

#include "platform/core/CodePage.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace gen {

namespace {

bool IsCzech(const QString& rel)
{
    const QStringList parts = rel.split(QLatin1Char('/'));
    for (int i = 0; i + 1 < parts.size(); ++i)
        if (parts[i].compare(QLatin1String("LANG4"), Qt::CaseInsensitive) == 0)
            return true;
    QString base = QFileInfo(parts.last()).completeBaseName();
    if (base.endsWith(QLatin1String(".scramble"), Qt::CaseInsensitive))
        base.chop(9);
    return base.endsWith(QLatin1String("cz"), Qt::CaseInsensitive);
}

bool IsBinary(const QString& name)
{
    static const char* const exts[] = {".bmp", ".jpg", ".jpeg", ".png", ".gif", ".pdf", ".avi", ".hlp", ".ico"};
    for (const char* e : exts)
        if (name.endsWith(QLatin1String(e), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

// The price-file scrambling: byte b becomes (b - k) mod 256, k = 1..8, 0, ...
QByteArray Scramble(const QByteArray& content)
{
    QByteArray out("CRPT");
    int k = 1;
    for (char c : content) {
        out.append(char((static_cast<unsigned char>(c) - k) & 0xFF));
        k = (k + 1) % 9;
    }
    return out;
}

// The reader's side, stopping at a zero byte as the reader does.
QByteArray Unscramble(const QByteArray& data)
{
    if (!data.startsWith("CRPT"))
        return data;
    QByteArray out;
    int k = 1;
    for (int i = 4; i < data.size() && data[i] != '\0'; ++i) {
        out.append(char((static_cast<unsigned char>(data[i]) + k) & 0xFF));
        k = (k + 1) % 9;
    }
    return out;
}

bool CopyTexts(const QString& srcRoot, Output& out)
{
    QDirIterator it(srcRoot, QDir::Files, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    bool ok = true;
    const QDir root(srcRoot);
    for (const QString& path : std::as_const(files)) {
        QString rel = root.relativeFilePath(path);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            Warn(QStringLiteral("cannot read %1").arg(path));
            ok = false;
            continue;
        }
        const QByteArray raw = f.readAll();
        if (IsBinary(rel)) {
            out.WriteBytes(rel, raw);
            continue;
        }
        const qx::CodePage cp = IsCzech(rel) ? qx::CodePage::Cp1250 : qx::CodePage::Cp1252;
        QList<QByteArray> lines = raw.split('\n');
        const bool finalNewline = raw.endsWith('\n');
        if (finalNewline)
            lines.removeLast();
        QByteArray converted;
        bool fileOk = true;
        for (int n = 0; n < lines.size(); ++n) {
            QByteArray line = lines[n];
            if (n == 0 && line.startsWith("\xEF\xBB\xBF"))
                line.remove(0, 3);
            if (line.endsWith('\r'))
                line.chop(1);
            bool lossless = true;
            const std::string bytes = qx::FromUtf8(std::string_view(line.constData(), size_t(line.size())), cp, &lossless);
            if (!lossless) {
                // Name the first character that does not fit.
                const QString text = QString::fromUtf8(line);
                QString bad;
                for (int i = 0; i < text.size(); ++i) {
                    const int len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                    const QByteArray ch = text.mid(i, len).toUtf8();
                    if (!qx::Representable(std::string_view(ch.constData(), size_t(ch.size())), cp)) {
                        bad = QStringLiteral("U+%1 '%2'").arg(text.mid(i, len).toUcs4().value(0), 4, 16, QLatin1Char('0')).arg(text.mid(i, len));
                        break;
                    }
                    i += len - 1;
                }
                std::fprintf(stderr, "%s:%d: error: character %s has no place in code page %d\n",
                             path.toUtf8().constData(), n + 1, bad.toUtf8().constData(), int(cp));
                fileOk = false;
            }
            converted.append(bytes.data(), qsizetype(bytes.size()));
            if (n + 1 < lines.size() || finalNewline)
                converted.append("\r\n");
        }
        if (!fileOk) {
            ok = false;
            continue;
        }
        if (rel.endsWith(QLatin1String(".scramble"), Qt::CaseInsensitive)) {
            rel.chop(9);
            const QByteArray scrambled = Scramble(converted);
            if (Unscramble(scrambled) != converted) {
                std::fprintf(stderr, "%s: error: the scrambled form does not read back (a byte 1..8 in the text?)\n",
                             path.toUtf8().constData());
                ok = false;
                continue;
            }
            out.WriteBytes(rel, scrambled);
        } else {
            out.WriteBytes(rel, converted);
        }
    }
    return ok;
}

} // namespace gen
