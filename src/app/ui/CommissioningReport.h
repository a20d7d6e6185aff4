// The commissioning report: one PDF with a title block, the parameter list as the parameter
// printout lays it out, a small plot of every characteristic curve, the analogue input scalings
// as equations, the process values and lit status lamps of one moment, and the oscilloscope's
// picture with its cursor readings.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <cstdint>

#include "comm/ProcessSnapshot.h"
#include "live/ui/ScopePrintout.h"

namespace vdx {
class TModCommandList;
}

namespace vdx::ui {

class TVDXScope;

struct TReportContent {
  QString Tool;     // company and product names
  QString Version;  // "3.6.1.9"
  QDateTime Created;
  QString ModuleId;
  uint16_t AccessCode = 0xFFFF;  // decides, as in the printout, which parameters are listed
  bool AccessCodeRead = false;
  const TModCommandList* CmdList = nullptr;
  TProcessSnapshot Process;
  // The oscilloscope's page is added when Scope is given and ScopePicture is not null.
  TVDXScope* Scope = nullptr;
  QImage ScopePicture;
  TScopePrintoutTexts ScopeTexts;
};

// True when a channel bound to a process value holds samples.
bool ScopeHasData(TVDXScope& Scope);

// Writes the report to FileName, which is replaced whole or left as it was; false with Error.
bool WriteCommissioningReport(const QString& FileName, const TReportContent& Content,
                              QString& Error);

}  // namespace vdx::ui
