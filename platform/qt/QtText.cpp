#include "platform/qt/QtText.h"

#include "platform/core/CodePage.h"

namespace qx {

QString FromAnsi(std::string_view bytes) {
    const std::u16string utf16 = ToUtf16(bytes, AnsiCodePage());
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}

std::string ToAnsi(const QString& text, bool* lossless) {
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    bool ok = true;
    std::string bytes = FromUtf16(utf16, AnsiCodePage(), &ok);
    if (!ok && lossless)
        *lossless = false;
    return bytes;
}

} // namespace qx
