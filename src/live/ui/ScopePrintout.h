// The oscilloscope printout: one page with a header, the display with its cursors, the cursor
// readings, the time base and the bound channels with their colours and vertical ranges.
#pragma once

#include <QString>
#include <array>

class QImage;
class QPainter;
class QPrinter;

namespace vdx::ui {

class TVDXScope;

struct TScopePrintoutTexts {
  QString Heading;                    // company - product - "Oszilloskop Display at: " ...
  QString ModuleId;                   // the identified module's ID text
  std::array<QString, 4> LowerLimit;  // the limit selectors' texts by channel
  std::array<QString, 4> UpperLimit;
};

// Prints on Printer; nothing without a paint box. Errors end the printout silently; false then.
bool PrintScope(QPrinter& Printer, TVDXScope& Scope, const TScopePrintoutTexts& Texts);

// The printout's page drawn with Painter on a device of Resolution dots per inch whose printable
// area is PageWidth device pixels wide; Bitmap is the display as CopyToBitmap gives it.
void DrawScopePrintout(QPainter& Painter, int Resolution, int PageWidth, const QImage& Bitmap,
                       TVDXScope& Scope, const TScopePrintoutTexts& Texts);

}  // namespace vdx::ui
