#pragma once
// The page coordinate system of every printout: 640 x 480 logical units,
// isotropic, onto the printable area, origin at device pixel (12, 20); and
// the page break of long printouts.

#include <string_view>

namespace qx {

class Dc;

// Isotropic mapping, window extent width x height, viewport extent = the
// printable area in device pixels, viewport origin (12, 20); selects
// FontSmall and a transparent text background.
void SetupPrintMapping(Dc& dc, int width, int height);

// When y has reached the limit: ends the page, starts the next, sets y to 104
// and sets the mapping up again; true then. Otherwise false and y unchanged.
bool NewPageIfFull(int& y, Dc& dc, int limit);

// The head of a one-sheet printout (a drawing, a note): the title in
// FontTitle at (40, 40), a second line in FontSmall at (40, 64) and a rule
// across at y 90. FontSmall stays selected.
void PrintSheetHeading(Dc& dc, std::string_view title, std::string_view line);

} // namespace qx
