// Documents the catalogue opens with the desktop's programs: PDF service
// standards and catalogues, spreadsheet lists, and the demo programs.
#include "Layout.h"

#include "Illustrations.h"
#include "Style.h"
#include "platform/core/CodePage.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>

namespace gen {

using namespace style;

namespace {

struct Words {
    const char* kind;
    const char* intro;
    const char* scope;
    const char* colPos;
    const char* colText;
    const char* colNo;
    const char* colNote;
    const char* rows[6];
    const char* note;
    const char* page;
};

// Document texts per catalogue language (LANG1..LANG4).
const Words& WordsOf(int lang)
{
    static const Words de{"Servicedokumentation",
                          "Dieses Dokument fasst die Anforderungen an Ausstattung, Arbeitsabläufe und Prüfschritte "
                          "zusammen. Es gilt für alle autorisierten Servicebetriebe der QUARVENTA AG.",
                          "Geltungsbereich: Betriebseinrichtungen und Spezialwerkzeuge, Ausgabe 2026.",
                          "Pos.", "Bezeichnung", "Nummer", "Hinweis",
                          {"Arbeitsplatz vorbereiten", "Fahrzeug sichern", "Prüfmittel kalibrieren", "Arbeitsschritte durchführen",
                           "Ergebnis dokumentieren", "Arbeitsplatz reinigen"},
                          "Änderungen vorbehalten. Nur für den internen Gebrauch der Vertragspartner.", "Seite"};
    static const Words en{"Service documentation",
                          "This document summarises the requirements for equipment, working procedures and test steps. "
                          "It applies to all authorised service workshops of QUARVENTA AG.",
                          "Scope: workshop equipment and special tools, edition 2026.",
                          "Item", "Designation", "Number", "Note",
                          {"Prepare the work place", "Secure the vehicle", "Calibrate the test equipment", "Carry out the work steps",
                           "Record the result", "Clean the work place"},
                          "Subject to change. For internal use of our partners only.", "Page"};
    static const Words fr{"Documentation de service",
                          "Ce document résume les exigences relatives à l'équipement, aux méthodes de travail et aux "
                          "contrôles. Il s'applique à tous les ateliers agréés de QUARVENTA AG.",
                          "Domaine : équipements d'atelier et outils spéciaux, édition 2026.",
                          "Pos.", "Désignation", "Numéro", "Remarque",
                          {"Préparer le poste de travail", "Immobiliser le véhicule", "Étalonner les appareils de contrôle",
                           "Effectuer les opérations", "Consigner le résultat", "Nettoyer le poste de travail"},
                          "Sous réserve de modifications. Usage interne des partenaires.", "Page"};
    static const Words cz{"Servisní dokumentace",
                          "Tento dokument shrnuje požadavky na vybavení, pracovní postupy a kontrolní kroky. "
                          "Platí pro všechny autorizované servisy společnosti QUARVENTA AG.",
                          "Rozsah: vybavení servisu a speciální nářadí, vydání 2026.",
                          "Pol.", "Označení", "Číslo", "Poznámka",
                          {"Připravit pracoviště", "Zajistit vozidlo", "Kalibrovat měřidla", "Provést pracovní kroky",
                           "Zaznamenat výsledek", "Uklidit pracoviště"},
                          "Změny vyhrazeny. Pouze pro interní potřebu smluvních partnerů.", "Strana"};
    switch (lang) {
    case 2: return en;
    case 3: return fr;
    case 4: return cz;
    default: return de;
    }
}

QString U(const char* s) { return QString::fromUtf8(s); }

// Qt stamps the creation time and a random id into every PDF; both are
// replaced by values of the same length so that the file is the same on
// every run (byte offsets stay valid).
QByteArray Deterministic(QByteArray pdf, std::uint32_t seed)
{
    static const QRegularExpression date(QStringLiteral("D:\\d{14}"));
    QString text = QString::fromLatin1(pdf);
    auto it = date.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        pdf.replace(int(m.capturedStart()), 16, "D:20260105090000");
    }
    // Subset font tags ("ABCDEF+Name") are random too.
    static const QRegularExpression tag(QStringLiteral("/(?:FontName|BaseFont)\\s*/([A-Z]{6})\\+"));
    QHash<QString, QByteArray> tags;
    auto ti = tag.globalMatch(text);
    while (ti.hasNext()) {
        const auto m = ti.next();
        QByteArray& fixed = tags[m.captured(1)];
        if (fixed.isEmpty()) {
            const int n = int(tags.size());
            fixed = QByteArray("QXKAT") + char('A' + (n - 1) % 26);
        }
        pdf.replace(int(m.capturedStart(1)), 6, fixed);
    }
    static const QRegularExpression id(QStringLiteral("/ID\\s*\\[\\s*<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"));
    const auto m = id.match(text);
    if (m.hasMatch()) {
        for (int g = 1; g <= 2; ++g) {
            QByteArray hex;
            std::uint32_t h = seed;
            while (hex.size() < m.capturedLength(g)) {
                h = h * 1664525u + 1013904223u;
                hex.append(QByteArray::number(h >> 28, 16));
            }
            pdf.replace(int(m.capturedStart(g)), int(m.capturedLength(g)), hex.toUpper());
        }
    }
    return pdf;
}

QByteArray MakePdf(const DocumentRef& doc)
{
    const Words& w = WordsOf(doc.lang);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    const std::uint32_t v = Hash(doc.file);
    const int pages = 1 + int(v % 2);
    {
        QPdfWriter pdf(&buf);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(150);
        pdf.setCreator(QStringLiteral("QUARVENTA AG"));
        pdf.setTitle(doc.title.isEmpty() ? QFileInfo(doc.file).completeBaseName() : doc.title);
        QPainter p(&pdf);
        p.setRenderHint(QPainter::Antialiasing);
        const double W = pdf.width();
        const double H = pdf.height();
        const QString title = doc.title.isEmpty() ? QFileInfo(doc.file).completeBaseName() : doc.title;
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                pdf.newPage();
            FillHeaderBand(p, QRectF(0, 0, W, 150));
            p.fillRect(QRectF(0, 150, W, 5), kRed);
            DrawLogoWide(p, QRectF(70, 40, 420, 70), true);
            p.setPen(kSilver);
            p.setFont(Font(22));
            p.drawText(QRectF(W - 620, 40, 550, 70), Qt::AlignRight | Qt::AlignVCenter, U(w.kind));
            p.setPen(kNavy);
            FitText(p, QRectF(90, 200, W - 180, 90), title, 46, true, kNavy, Qt::AlignLeft | Qt::AlignVCenter);
            Rule(p, QPointF(90, 300), QPointF(W - 90, 300), kSilver, 2);
            double y = 330;
            if (page == 1) {
                p.setPen(kInk);
                p.setFont(Font(24));
                const QRectF intro(90, y, W - 180, 150);
                p.drawText(intro, Qt::TextWordWrap, U(w.intro));
                y += 140;
                p.setPen(kMuted);
                p.setFont(Font(22, false, true));
                p.drawText(QRectF(90, y, W - 180, 40), Qt::AlignLeft, U(w.scope));
                y += 70;
                const Figure f = BuildFigure(Classify(title + QLatin1Char(' ') + doc.topic, v), v);
                QRectF art(90, y, W - 180, 520);
                QLinearGradient g(art.topLeft(), art.bottomLeft());
                g.setColorAt(0, Qt::white);
                g.setColorAt(1, kSilverLight);
                p.fillRect(art, g);
                RenderFigure(p, f, art.adjusted(200, 40, -200, -40), Look::Shaded, QColor(),
                             Qt::AlignHCenter | Qt::AlignBottom);
                y += 560;
            }
            // The table of steps.
            const double cols[] = {90, 200, 720, 920, W - 90};
            p.fillRect(QRectF(90, y, W - 180, 50), kNavy);
            p.setPen(Qt::white);
            p.setFont(Font(22, true));
            const char* heads[] = {w.colPos, w.colText, w.colNo, w.colNote};
            for (int c = 0; c < 4; ++c)
                p.drawText(QRectF(cols[c] + 12, y, cols[c + 1] - cols[c] - 12, 50), Qt::AlignLeft | Qt::AlignVCenter,
                           U(heads[c]));
            y += 50;
            p.setFont(Font(21));
            const int rows = page == 1 ? 6 : 12;
            for (int r = 0; r < rows; ++r) {
                if (r % 2)
                    p.fillRect(QRectF(90, y, W - 180, 46), kSilverLight);
                p.setPen(kInk);
                const int n = (page - 1) * 6 + r + 1;
                p.drawText(QRectF(cols[0] + 12, y, 100, 46), Qt::AlignLeft | Qt::AlignVCenter, QString::number(n * 10));
                p.drawText(QRectF(cols[1] + 12, y, cols[2] - cols[1] - 12, 46), Qt::AlignLeft | Qt::AlignVCenter,
                           U(w.rows[r % 6]));
                p.drawText(QRectF(cols[2] + 12, y, cols[3] - cols[2] - 12, 46), Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("SST %1.%2").arg(100 + (v + std::uint32_t(n)) % 800).arg(n, 2, 10, QLatin1Char('0')));
                p.drawText(QRectF(cols[3] + 12, y, cols[4] - cols[3] - 12, 46), Qt::AlignLeft | Qt::AlignVCenter,
                           n % 3 == 0 ? QStringLiteral("OK") : QStringLiteral("\u2013"));
                y += 46;
            }
            Rule(p, QPointF(90, y), QPointF(W - 90, y), kNavy, 2);
            // Footer.
            Rule(p, QPointF(90, H - 110), QPointF(W - 90, H - 110), kSilver, 1.5);
            p.setPen(kMuted);
            p.setFont(Font(18));
            p.drawText(QRectF(90, H - 100, W - 500, 40), Qt::AlignLeft | Qt::AlignVCenter, U(w.note));
            p.drawText(QRectF(W - 400, H - 100, 310, 40), Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("%1 %2 / %3").arg(U(w.page)).arg(page).arg(pages));
        }
        p.end();
    }
    return Deterministic(bytes, v);
}

QByteArray MakeSheet(const DocumentRef& doc)
{
    const Words& w = WordsOf(doc.lang);
    const qx::CodePage cp = doc.lang == 4 ? qx::CodePage::Cp1250 : qx::CodePage::Cp1252;
    QString text = QStringLiteral("%1;%2;%3;%4\r\n").arg(U(w.colPos), U(w.colText), U(w.colNo), U(w.colNote));
    const std::uint32_t v = Hash(doc.file);
    for (int r = 0; r < 6; ++r)
        text += QStringLiteral("%1;%2;QTX %3 %4;%5\r\n")
                    .arg((r + 1) * 10)
                    .arg(U(w.rows[r]))
                    .arg(100 + (v >> r) % 800)
                    .arg(100 + (v >> (r + 3)) % 900)
                    .arg(r % 2 ? QStringLiteral("1") : QStringLiteral("2"));
    const QByteArray utf8 = text.toUtf8();
    const std::string bytes = qx::FromUtf8(std::string_view(utf8.constData(), size_t(utf8.size())), cp);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

void GenerateDocuments(Output& out, const Catalog& cat)
{
    for (const DocumentRef& doc : cat.documents) {
        const QString rel = QStringLiteral("PDF/LANG%1/%2").arg(doc.lang).arg(doc.file);
        if (!out.Claim(rel))
            continue;
        if (doc.file.contains(QLatin1String(".XLS"), Qt::CaseInsensitive))
            out.WriteBytes(rel, MakeSheet(doc));
        else
            out.WriteBytes(rel, MakePdf(doc));
    }
}

void GeneratePrograms(Output& out, const Catalog& cat)
{
    for (const QString& prog : cat.programs) {
        if (!out.Claim(prog))
            continue;
        const QString name = QFileInfo(NormalizeRel(prog)).completeBaseName();
        const QString script = QStringLiteral(
                                   "#!/bin/sh\n"
                                   "# Demo program of the QUARVENTA AG catalogue.\n"
                                   "msg='QUARVENTA AG - %1\n\nDemo program of the electronic catalogue.\n"
                                   "Arguments: '\"$*\"\n"
                                   "if command -v zenity >/dev/null 2>&1; then\n"
                                   "    exec zenity --info --title='QUARVENTA AG' --text=\"$msg\"\n"
                                   "elif command -v xmessage >/dev/null 2>&1; then\n"
                                   "    exec xmessage -center -title 'QUARVENTA AG' \"$msg\"\n"
                                   "else\n"
                                   "    printf '%s\\n' \"$msg\"\n"
                                   "fi\n")
                                   .arg(name);
        if (out.WriteBytes(prog, script.toUtf8()))
            QFile::setPermissions(out.Full(prog), QFile::permissions(out.Full(prog)) | QFile::ExeOwner | QFile::ExeGroup
                                                      | QFile::ExeOther);
    }
}

} // namespace gen
