// Readers for the UTF-8 sources. They follow the catalogue's own reading
// rules (comment lines, "[" ends the data, "|" fields) closely enough to find
// every name the program will ask for.
#include "Sources.h"

#include "Gen.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace gen {

QString FindChild(const QString& dir, const QString& name)
{
    if (dir.isEmpty())
        return {};
    const QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return dir + QLatin1Char('/') + n;
    return {};
}

QStringList ReadLines(const QString& path, bool* ok)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const AreaFile* Catalog::Area(int lang, const QString& name) const
{
    for (const AreaFile& a : areas)
        if (a.lang == lang && a.name.compare(name, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

namespace {

// A cursor over lines that skips comment lines before every read.
class Cursor {
public:
    explicit Cursor(QStringList lines) : lines_(std::move(lines)) {}
    void SkipComments()
    {
        while (i_ < lines_.size() && lines_[i_].startsWith(QLatin1Char('#')))
            ++i_;
    }
    QString ReadLine()
    {
        SkipComments();
        return i_ < lines_.size() ? lines_[i_++] : QString();
    }
    bool AtEnd() const { return i_ >= lines_.size(); }
    const QString& Peek() const { return lines_[i_]; }
    void Skip(int n = 1) { i_ += n; }
    // Moves past the line that holds the next "}".
    void SkipPastBrace()
    {
        while (i_ < lines_.size() && !lines_[i_].contains(QLatin1Char('}')))
            ++i_;
        ++i_;
    }

private:
    QStringList lines_;
    int i_ = 0;
};

int LeadingInt(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([-+]?\\d+)"));
    const auto m = re.match(s);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList Fields(const QString& line, int n)
{
    QStringList f = line.split(QLatin1Char('|'));
    while (f.size() < n)
        f.append(QString());
    return f;
}

AreaFile ReadArea(const QString& path, const QString& name, int lang)
{
    AreaFile a;
    a.name = name;
    a.lang = lang;
    Cursor c(ReadLines(path));
    while (!c.AtEnd() && !c.Peek().startsWith(QLatin1Char('['))) {
        const QString line = c.ReadLine();
        if (line.trimmed().isEmpty())
            continue;
        const QStringList f = Fields(line, 8);
        AreaEntry e;
        e.caption = f[0];
        e.picture = f[1].trimmed();
        e.target = f[2].trimmed();
        e.left = LeadingInt(f[3]);
        e.top = LeadingInt(f[4]);
        e.right = LeadingInt(f[5]);
        e.bottom = LeadingInt(f[6]);
        e.tooltip = f[7];
        a.entries.append(e);
        if (a.entries.size() == 64)
            break;
    }
    return a;
}

GroupFile ReadGroup(const QString& path, const QString& base, int lang)
{
    GroupFile g;
    g.name = base;
    g.lang = lang;
    Cursor c(ReadLines(path));
    g.title = c.ReadLine();
    c.ReadLine();
    c.ReadLine();
    while (!c.AtEnd()) {
        c.SkipComments();
        if (c.AtEnd() || c.Peek().startsWith(QLatin1Char('[')))
            break;
        const QString line = c.ReadLine();
        if (line.size() < 5)
            continue;
        const QStringList f = Fields(line, 4);
        g.entries.append({f[0].trimmed(), f[1].trimmed(), f[2].trimmed(), f[3].trimmed()});
    }
    return g;
}

ProductList ReadProducts(const QString& path, const QString& file, int lang)
{
    ProductList l;
    l.file = file;
    l.lang = lang;
    Cursor c(ReadLines(path));
    l.title = c.ReadLine();
    c.ReadLine();
    l.subtitle = c.ReadLine();
    const int count = LeadingInt(c.ReadLine());
    c.ReadLine();
    for (int r = 0; r < count && !c.AtEnd(); ++r) {
        QString f[12];
        for (QString& s : f)
            s = c.ReadLine();
        Product p;
        p.key = f[0].trimmed();
        p.picture = f[1].trimmed();
        p.number = f[2].trimmed();
        p.designation = f[3].trimmed();
        p.name = f[5].trimmed();
        p.sheetPicture = f[6].trimmed();
        p.info = f[9].trimmed();
        p.supplier = f[11].trimmed().toUpper();
        if (!c.AtEnd() && c.Peek().isEmpty())
            c.Skip();
        c.SkipComments();
        c.SkipPastBrace();
        c.Skip();  // the separator line
        l.products.append(p);
    }
    return l;
}

RequirementsFile ReadRequirements(const QString& path, const QString& name, int lang)
{
    RequirementsFile z;
    z.name = name;
    z.lang = lang;
    Cursor c(ReadLines(path));
    z.title = c.ReadLine();
    c.ReadLine();
    c.ReadLine();
    z.subtitle = c.ReadLine();
    const int count = LeadingInt(c.ReadLine());
    c.ReadLine();
    for (int r = 0; r < count && !c.AtEnd(); ++r) {
        const QString line = c.ReadLine();
        const QStringList f = Fields(line, 6);
        z.rows.append({f[0], f[1], f[2], f[3], f[4], f.mid(5).join(QLatin1Char('|')).trimmed()});
        c.SkipPastBrace();
    }
    return z;
}

QString FirstWord(const QString& s)
{
    return s.trimmed().section(QLatin1Char(' '), 0, 0);
}

} // namespace

Catalog LoadCatalog(const QString& srcRoot)
{
    Catalog cat;
    cat.srcRoot = srcRoot;
    const QString daten = FindChild(srcRoot, QStringLiteral("DATEN"));
    if (daten.isEmpty())
        Warn(QStringLiteral("no DATEN folder in the sources yet"));
    QSet<QString> seenVideo, seenProgram, seenDoc;
    for (int lang = 1; lang <= 4; ++lang) {
        const QString dir = FindChild(daten, QStringLiteral("LANG%1").arg(lang));
        if (dir.isEmpty()) {
            Warn(QStringLiteral("no DATEN/LANG%1 in the sources yet").arg(lang));
            continue;
        }
        const QStringList files = QDir(dir).entryList(QDir::Files, QDir::Name);
        for (const QString& f : files) {
            const QString lower = f.toLower();
            const QString path = dir + QLatin1Char('/') + f;
            if (lower.endsWith(QLatin1String(".ber")))
                cat.areas.append(ReadArea(path, f, lang));
            else if (lower.endsWith(QLatin1String(".gpe")))
                cat.groups.append(ReadGroup(path, f.left(f.size() - 4), lang));
            else if (lower.endsWith(QLatin1String(".zen")))
                cat.requirements.append(ReadRequirements(path, f, lang));
            else if (lower == QLatin1String("katalog.std") || lower == QLatin1String("katalog.prb")
                     || lower == QLatin1String("katalog.prs") || lower == QLatin1String("katalog.prk")) {
                Cursor c(ReadLines(path));
                while (!c.AtEnd()) {
                    c.SkipComments();
                    if (c.AtEnd() || c.Peek().startsWith(QLatin1Char('[')))
                        break;
                    const QString line = c.ReadLine();
                    const QStringList fl = Fields(line, 3);
                    const QString file = fl[2].trimmed();
                    if (!file.isEmpty() && !seenDoc.contains(QStringLiteral("%1/%2").arg(lang).arg(file.toLower()))) {
                        seenDoc.insert(QStringLiteral("%1/%2").arg(lang).arg(file.toLower()));
                        cat.documents.append({lang, file, fl[0].trimmed(), f.mid(8).toUpper()});
                    }
                }
            }
        }
        // Product lists are whatever the group files name.
        QSet<QString> seenList;
        for (const GroupFile& g : std::as_const(cat.groups)) {
            if (g.lang != lang)
                continue;
            for (const GroupEntry& e : g.entries) {
                if (e.listFile.isEmpty() || seenList.contains(e.listFile.toLower()))
                    continue;
                seenList.insert(e.listFile.toLower());
                const QString p = FindChild(dir, e.listFile);
                if (p.isEmpty()) {
                    Warn(QStringLiteral("LANG%1: product list %2 (named in %3.gpe) is missing").arg(lang).arg(e.listFile, g.name));
                    continue;
                }
                ProductList l = ReadProducts(p, e.listFile, lang);
                l.groupName = e.name;
                cat.lists.append(l);
            }
        }
    }
    for (const AreaFile& a : std::as_const(cat.areas)) {
        for (const AreaEntry& e : a.entries) {
            const QString t = e.target.toUpper();
            if (t.contains(QLatin1String(".AVI"))) {
                const QString v = FirstWord(e.target);
                if (!seenVideo.contains(v.toLower())) {
                    seenVideo.insert(v.toLower());
                    cat.videos.append(v);
                }
            } else if (t.contains(QStringLiteral("ZURÜCK"))) {
                continue;
            } else if (t.contains(QLatin1String(".EXE"))) {
                const QString prog = FirstWord(e.target);
                if (!seenProgram.contains(prog.toLower())) {
                    seenProgram.insert(prog.toLower());
                    cat.programs.append(prog);
                }
            } else if (t.contains(QLatin1String(".PDF")) || t.contains(QLatin1String(".XLS"))) {
                const QString key = QStringLiteral("%1/%2").arg(a.lang).arg(e.target.toLower());
                if (!seenDoc.contains(key)) {
                    seenDoc.insert(key);
                    cat.documents.append({a.lang, e.target, e.caption.trimmed(), a.name});
                }
            }
        }
    }
    // Pictures of the HTML pages.
    const QString html = FindChild(srcRoot, QStringLiteral("HTML"));
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attr(QStringLiteral("(\\w+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
    QSet<QString> seenImg;
    if (!html.isEmpty()) {
        QDirIterator it(html, QDir::Files, QDirIterator::Subdirectories);
        QStringList htmlFiles;
        while (it.hasNext())
            htmlFiles.append(it.next());
        htmlFiles.sort();
        for (const QString& path : std::as_const(htmlFiles)) {
            if (!path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
                && !path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
                continue;
            const QString text = ReadLines(path).join(QLatin1Char('\n'));
            auto tags = img.globalMatch(text);
            while (tags.hasNext()) {
                const QString tag = tags.next().captured(0);
                Catalog::HtmlPicture pic;
                auto attrs = attr.globalMatch(tag);
                while (attrs.hasNext()) {
                    const auto m = attrs.next();
                    const QString key = m.captured(1).toLower();
                    const QString value = m.captured(2) + m.captured(3) + m.captured(4);
                    if (key == QLatin1String("src"))
                        pic.src = value;
                    else if (key == QLatin1String("width"))
                        pic.width = value.toInt();
                    else if (key == QLatin1String("height"))
                        pic.height = value.toInt();
                    else if (key == QLatin1String("alt"))
                        pic.alt = value;
                }
                if (pic.src.isEmpty() || pic.src.contains(QLatin1String("://")) || seenImg.contains(pic.src.toLower()))
                    continue;
                seenImg.insert(pic.src.toLower());
                cat.htmlPictures.append(pic);
            }
        }
    }
    return cat;
}

} // namespace gen
