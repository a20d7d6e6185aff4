// The parameter printout on a printer: the pages of the module's parameter list drawn as one
// print job.
#pragma once

#include <vector>

#include "params/ParamPrintoutPages.h"

class QPainter;
class QPrinter;

namespace vdx {
class TApplInfo;
}

namespace vdx::ui {

// Selects the parameter lines' font (Courier New 10) on Painter and returns its line height, the
// height of "Dummy".
int UsePrintoutLineFont(QPainter& Painter);
// Draws Lines in the parameter lines' font, the first with its top at (X, Y), one line height
// apart.
void DrawPrintoutLines(QPainter& Painter, int X, int Y, const std::vector<std::string>& Lines);

// Draws Pages as one print job: each page the three header lines in Arial 10 and its lines in
// Courier New 10, from 200/100 printer pixels at 600 dpi (scaled to the printer's resolution).
// False when there is no page or the job could not be started or went wrong; the job is ended
// in any case and nothing is shown.
bool PrintParameterPages(QPrinter& Printer, const std::vector<TPrintoutPage>& Pages);

// The main window's parameter printout: the module's parameter list with the application's
// company and product names. False, without a print job, when the command list is empty.
bool PrintParameterList(QPrinter& Printer, TVDXModCommProt& Prot, const TApplInfo& Info);

}  // namespace vdx::ui
