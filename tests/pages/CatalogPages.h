#pragma once
// A small catalogue for the group and product page tests.

#include "app/ui/CatalogApp.h"
#include "app/ui/MainFrame.h"
#include "tests/app/GuiFixture.h"
#include "tests/app/RunningProgram.h"

#include <memory>

namespace qx::testing {

// The area files of WriteAreas, and German data: group file HEBE.gpe with three levels, product lists
// SAEULE.KAT (three products, one of them DORNA's) and EMPTY.KAT, a price
// list, pictures of the screen modes and product information HTML.
void WriteCatalogPages(TempCatalog& c);


} // namespace qx::testing
