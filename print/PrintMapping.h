#pragma once
// The page coordinate system of every printout: 640 x 480 logical units,
// isotropic, onto the printable area, origin at device pixel (12, 20); and
// the page break of long printouts.

namespace qx {

class Dc;

// Isotropic mapping, window extent width x height, viewport extent = the
// printable area in device pixels, viewport origin (12, 20); selects
// FontSmall and a transparent text background.
void SetupPrintMapping(Dc& dc, int width, int height);

// When y has reached the limit: ends the page, starts the next, sets y to 104
// and sets the mapping up again; true then. Otherwise false and y unchanged.
bool NewPageIfFull(int& y, Dc& dc, int limit);

} // namespace qx
