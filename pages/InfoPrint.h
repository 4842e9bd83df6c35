#pragma once
// Printing of HTML documents through the text view: the information pages,
// product sheets and requirements information. Each printed page gets a
// header band (sheet picture, page number, header text), the page's part of
// the document and a footer line, in the 640 unit page system of the print
// job (SetupPrintMapping must have been called).

#include "shell/AppContext.h"
#include "platform/core/Dc.h"

#include <string>

namespace qx {

class TextView;

// Prints programDir + "HTML\LANGn\" + document (n from the UI language)
// through a temporary view; a missing document prints nothing.
void PrintInfoDocument(const AppContext& app, Dc& printerDc, const std::string& document,
                       const std::string& sheetPicture, const std::string& footer, const std::string& header,
                       int extraTopOffset, int imageFolderMode);

// Prints every page of the view, starting on the page the job has open. The
// sheet picture is a path below programDir. Stops early when the printer
// refuses a new page or the view has nothing more to print.
void PrintTextView(const AppContext& app, TextView* view, Dc& printerDc, const std::string& sheetPicture,
                   const std::string& footer, const std::string& header, int extraTopOffset);

// The HTML file of a document in the UI language's folder.
std::string InfoDocumentPath(const GlobalState& state, const std::string& document);

} // namespace qx
