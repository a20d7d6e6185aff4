// One command as an element of the command list file and back: "CCmd" with its "Para",
// "PCmd", "SCmd" and "RCmd", their attributes and value encodings.
#pragma once

#include <libxml/tree.h>

#include <memory>

#include "comm/ModCommands.h"

namespace vdx {

// Appends the "CCmd" of one parameter list entry: attributes and a "Para" with the value for a
// control command; an empty "CCmd" for type 5 and for anything that is not a control command.
void WriteParamElement(xmlNodePtr Commands, const TModBaseCommand* Cmd);
void WriteProcElement(xmlNodePtr Section, const TModProcCommand& Cmd);
void WriteStatusElement(xmlNodePtr Section, const TModStatusBitCommand& Cmd);
void WriteRemoteElement(xmlNodePtr Section, const TModRemoteCtrlCmd& Cmd);

// Reads command elements for one load of a file. A missing or unreadable attribute leaves the
// field as it is; a missing or unreadable curve coordinate takes the value of that coordinate
// read last by this reader (0 at first).
class TVdxElementReader {
 public:
  // A text, numeric, curve or analogue input parameter from a "CCmd" with its value; nullptr
  // for any other or a missing "Type".
  std::unique_ptr<TModCtrlCommand> ReadParam(xmlNodePtr CCmd);
  // Stores the values of a "Para" into Cmd by Cmd's class; other classes are left alone.
  void ReadValues(xmlNodePtr Para, TModCtrlCommand& Cmd);
  // nullptr unless "Type" is 0, 10 and 11 respectively.
  std::unique_ptr<TModProcCommand> ReadProc(xmlNodePtr PCmd);
  std::unique_ptr<TModStatusBitCommand> ReadStatus(xmlNodePtr SCmd);
  std::unique_ptr<TModRemoteCtrlCmd> ReadRemote(xmlNodePtr RCmd);

 private:
  TCurvePoint FLast;
};

}  // namespace vdx
