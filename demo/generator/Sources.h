#pragma once
// What the generator reads from the UTF-8 text sources: enough of every
// catalogue file to know which pictures, documents, videos and programs the
// catalogue names, and the captions to draw on them.

#include <QDir>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace gen {

struct AreaEntry {
    QString caption;
    QString picture;
    QString target;  // as written in the source (the program upper-cases it)
    int left = 0, top = 0, right = 0, bottom = 0;
    QString tooltip;
};

struct AreaFile {
    QString name;  // file name as found
    int lang = 1;  // 1..4
    QVector<AreaEntry> entries;
};

struct GroupEntry {
    QString code, listFile, name, picture;
};

struct GroupFile {
    QString name;  // base name without ".gpe"
    int lang = 1;
    QString title;
    QVector<GroupEntry> entries;
};

struct Product {
    QString key, picture, number, designation, name, sheetPicture, info, supplier;
};

struct ProductList {
    QString file;
    int lang = 1;
    QString title, subtitle;
    QString groupName;  // display name of the group entry that opens it
    QVector<Product> products;
};

struct RequirementRow {
    QString code, quantity, designation, number, area, picture;
};

struct RequirementsFile {
    QString name;
    int lang = 1;
    QString title, subtitle;
    QVector<RequirementRow> rows;
};

struct DocumentRef {
    int lang = 1;
    QString file;   // relative to PDF/LANGn
    QString title;  // caption or display text
    QString topic;  // the area or index it came from
};

struct Catalog {
    QString srcRoot;
    QVector<AreaFile> areas;
    QVector<GroupFile> groups;
    QVector<ProductList> lists;
    QVector<RequirementsFile> requirements;
    QVector<DocumentRef> documents;
    QStringList videos;    // names below VIDEO/
    QStringList programs;  // paths relative to the program folder
    struct HtmlPicture {
        QString src;
        int width = 0, height = 0;
        QString alt;
    };
    QVector<HtmlPicture> htmlPictures;

    const AreaFile* Area(int lang, const QString& name) const;
};

// Reads everything that is there; missing parts give warnings, not errors.
Catalog LoadCatalog(const QString& srcRoot);

// A child of dir whose name equals name apart from letter case, or "".
QString FindChild(const QString& dir, const QString& name);
// Lines of a UTF-8 text file without line ends; empty when missing.
QStringList ReadLines(const QString& path, bool* ok = nullptr);

} // namespace gen
