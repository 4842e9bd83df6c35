#pragma once
// Shared pieces of the demo catalogue generator: screen modes, the output
// folder and warnings.

#include <QImage>
#include <QSet>
#include <QString>

#include <array>
#include <cstdint>

namespace gen {

// One screen mode of the catalogue: design units times the factors,
// truncated, give pixels.
struct Mode {
    int width;
    double sx;
    double sy;
    int PageW() const { return int(632 * sx); }
    int PageH() const { return int(434 * sy); }
    int X(double v) const { return int(v * sx); }
    int Y(double v) const { return int(v * sy); }
};

const std::array<Mode, 3>& Modes();
const Mode& ModeOf(int width);

void Warn(const QString& text);

// A stable hash of a name, so that variants of a drawing follow the name
// and not the order of generation.
std::uint32_t Hash(const QString& text);

// The output folder. Paths are relative, with "/" or "\" as separators;
// the letter case is kept. A picture that was already written under the same
// name (letter case ignored) is not drawn again.
class Output {
public:
    explicit Output(QString root);
    const QString& Root() const { return root_; }
    QString Full(const QString& rel) const;
    bool Has(const QString& rel) const;
    bool Claim(const QString& rel);  // false when already written
    bool WriteBytes(const QString& rel, const QByteArray& bytes);
    // BMP unless the name holds "jpg" (any case), as the reader decides.
    bool WritePicture(const QString& rel, const QImage& image);
    bool WriteGrayRlePicture(const QString& rel, const QImage& image);
    bool WritePalettePicture(const QString& rel, const QImage& image);
    int Count() const { return count_; }
    int Failures() const { return failures_; }
    void Fail() { ++failures_; }

private:
    QString root_;
    QSet<QString> written_;
    int count_ = 0;
    int failures_ = 0;
};

// 24-bit bottom-up BMP with a 40-byte info header.
QByteArray EncodeBmp24(const QImage& image);
// An 8-bit grey picture with run-length coding: line drawings on white
// shrink to a few per cent of their 24-bit size.
QByteArray EncodeBmpRle8Gray(const QImage& image);
// An 8-bit picture with the 256 most used colours (of 15-bit bins, each the
// mean of its pixels): a third of the 24-bit size, as catalogue pictures for
// palette screens were.
QByteArray EncodeBmp8(const QImage& image);
QByteArray EncodeJpeg(const QImage& image, int quality = 88);

QString NormalizeRel(QString rel);

} // namespace gen
