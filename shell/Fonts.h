#pragma once
// The six shared fonts, all Arial; heights follow the Windows rule
// (negative: character height, positive: cell height).

#include "platform/core/Dc.h"

namespace qx {

inline const Font FontTitle{"Arial", -18, 400, false, false};
inline const Font FontTitleItalic{"Arial", -18, 400, true, false};
inline const Font FontBold16{"Arial", 16, 700, false, false};
inline const Font FontText16{"Arial", 16, 400, false, false};
inline const Font FontText14{"Arial", 14, 400, false, false};
inline const Font FontSmall{"Arial", -12, 400, false, false};

} // namespace qx
