// Picture files and the output folder.
#include "Gen.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace gen {

const std::array<Mode, 3>& Modes()
{
    static const std::array<Mode, 3> modes{{{640, 1.0, 1.0}, {800, 1.255, 1.279}, {1024, 1.6115, 1.67}}};
    return modes;
}

const Mode& ModeOf(int width)
{
    for (const Mode& m : Modes())
        if (m.width == width)
            return m;
    return Modes()[2];
}

void Warn(const QString& text)
{
    std::fprintf(stderr, "qxkat-demo-gen: warning: %s\n", text.toUtf8().constData());
}

std::uint32_t Hash(const QString& text)
{
    std::uint32_t h = 2166136261u;
    for (QChar c : text.toLower()) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

QString NormalizeRel(QString rel)
{
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    return rel;
}

Output::Output(QString root) : root_(std::move(root)) {}

QString Output::Full(const QString& rel) const
{
    return root_ + QLatin1Char('/') + NormalizeRel(rel);
}

bool Output::Has(const QString& rel) const
{
    return written_.contains(NormalizeRel(rel).toLower());
}

bool Output::Claim(const QString& rel)
{
    const QString key = NormalizeRel(rel).toLower();
    if (written_.contains(key))
        return false;
    written_.insert(key);
    return true;
}

bool Output::WriteBytes(const QString& rel, const QByteArray& bytes)
{
    const QString path = Full(rel);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        Warn(QStringLiteral("cannot write %1").arg(path));
        ++failures_;
        return false;
    }
    ++count_;
    return true;
}

bool Output::WritePicture(const QString& rel, const QImage& image)
{
    written_.insert(NormalizeRel(rel).toLower());
    if (rel.contains(QLatin1String("jpg"), Qt::CaseInsensitive))
        return WriteBytes(rel, EncodeJpeg(image));
    return WriteBytes(rel, EncodeBmp24(image));
}

bool Output::WriteGrayRlePicture(const QString& rel, const QImage& image)
{
    if (rel.contains(QLatin1String("jpg"), Qt::CaseInsensitive))
        return WritePicture(rel, image);
    written_.insert(NormalizeRel(rel).toLower());
    return WriteBytes(rel, EncodeBmpRle8Gray(image));
}

bool Output::WritePalettePicture(const QString& rel, const QImage& image)
{
    if (rel.contains(QLatin1String("jpg"), Qt::CaseInsensitive))
        return WritePicture(rel, image);
    written_.insert(NormalizeRel(rel).toLower());
    return WriteBytes(rel, EncodeBmp8(image));
}

namespace {
void Put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}
} // namespace

QByteArray EncodeBmp24(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB888);
    const int w = img.width();
    const int h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    const std::uint32_t bitsSize = std::uint32_t(stride) * std::uint32_t(h);
    QByteArray b;
    b.reserve(int(54 + bitsSize));
    b.append("BM", 2);
    Put32(b, 54 + bitsSize);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(h));
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);  // no compression
    Put32(b, bitsSize);
    Put32(b, 2835);  // 72 dpi
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    QByteArray row(stride, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const uchar* src = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {  // RGB in memory, BGR in the file
            row[3 * x] = char(src[3 * x + 2]);
            row[3 * x + 1] = char(src[3 * x + 1]);
            row[3 * x + 2] = char(src[3 * x]);
        }
        b.append(row);
    }
    return b;
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buf, "JPG", quality);
    return bytes;
}


QByteArray EncodeBmpRle8Gray(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_Grayscale8);
    const int w = img.width();
    const int h = img.height();
    QByteArray bits;
    for (int y = h - 1; y >= 0; --y) {
        const uchar* row = img.constScanLine(y);
        for (int x = 0; x < w;) {
            int run = 1;
            while (x + run < w && run < 255 && row[x + run] == row[x])
                ++run;
            bits.append(char(run));
            bits.append(char(row[x]));
            x += run;
        }
        bits.append('\0');
        bits.append('\0'); // end of line
    }
    bits.append('\0');
    bits.append('\1'); // end of picture
    const std::uint32_t offset = 54 + 256 * 4;
    QByteArray b;
    b.reserve(int(offset + bits.size()));
    b.append("BM", 2);
    Put32(b, offset + std::uint32_t(bits.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(h));
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, 1); // BI_RLE8
    Put32(b, std::uint32_t(bits.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 256);
    Put32(b, 0);
    for (int i = 0; i < 256; ++i) {
        b.append(char(i));
        b.append(char(i));
        b.append(char(i));
        b.append('\0');
    }
    b.append(bits);
    return b;
}

QByteArray EncodeBmp8(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    const int h = img.height();
    auto bin = [](QRgb c) { return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3); };
    struct Bin {
        std::uint64_t n = 0, r = 0, g = 0, b = 0;
    };
    std::vector<Bin> bins(32768);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            Bin& e = bins[std::size_t(bin(row[x]))];
            ++e.n;
            e.r += std::uint64_t(qRed(row[x]));
            e.g += std::uint64_t(qGreen(row[x]));
            e.b += std::uint64_t(qBlue(row[x]));
        }
    }
    std::vector<int> used;
    for (int i = 0; i < 32768; ++i) {
        if (bins[std::size_t(i)].n)
            used.push_back(i);
    }
    std::stable_sort(used.begin(), used.end(),
                     [&](int a, int c) { return bins[std::size_t(a)].n > bins[std::size_t(c)].n; });
    if (used.size() > 256)
        used.resize(256);
    std::vector<QRgb> palette;
    for (int i : used) {
        const Bin& e = bins[std::size_t(i)];
        palette.push_back(qRgb(int(e.r / e.n), int(e.g / e.n), int(e.b / e.n)));
    }
    std::vector<int> nearest(32768, -1);
    auto index = [&](QRgb c) {
        int& slot = nearest[std::size_t(bin(c))];
        if (slot < 0) {
            long best = -1;
            for (std::size_t i = 0; i < palette.size(); ++i) {
                const long dr = qRed(c) - qRed(palette[i]);
                const long dg = qGreen(c) - qGreen(palette[i]);
                const long db = qBlue(c) - qBlue(palette[i]);
                const long d = dr * dr + dg * dg + db * db;
                if (best < 0 || d < best) {
                    best = d;
                    slot = int(i);
                }
            }
        }
        return slot;
    };
    const int stride = (w + 3) & ~3;
    const std::uint32_t offset = 54 + 256 * 4;
    const std::uint32_t bitsSize = std::uint32_t(stride) * std::uint32_t(h);
    QByteArray b;
    b.reserve(int(offset + bitsSize));
    b.append("BM", 2);
    Put32(b, offset + bitsSize);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(h));
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, 0);
    Put32(b, bitsSize);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 256);
    Put32(b, 0);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < int(palette.size()) ? palette[std::size_t(i)] : qRgb(0, 0, 0);
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
    QByteArray row(stride, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = char(index(src[x]));
        b.append(row);
    }
    return b;
}

} // namespace gen
