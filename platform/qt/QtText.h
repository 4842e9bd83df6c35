#pragma once
// Text at the display boundary: the core keeps single-byte ANSI text (see
// platform/core/CodePage.h); Qt wants QString. Conversions go through the
// process's ANSI code page, qx::AnsiCodePage().

#include <QString>

#include <string>
#include <string_view>

namespace qx {

QString FromAnsi(std::string_view bytes);

// Characters the code page cannot hold become '?' and *lossless is set to
// false (it is left alone otherwise, so one flag can collect several calls).
std::string ToAnsi(const QString& text, bool* lossless = nullptr);

} // namespace qx
