// Module baud rates and line transfer modes.
#pragma once

#include <string>

namespace vdx {

enum TModBaudrate { mb9600 = 0, mb19200, mb38400, mb57600, mb115200 };
constexpr TModBaudrate AllBaudrates[] = {mb9600, mb19200, mb38400, mb57600, mb115200};

enum TTransferMode { tmFullDuplex = 0, tmHalfDuplex = 1 };

// Bit/s of a rate.
int BaudrateBps(TModBaudrate Baud);
// n of the module's "BR n" command: the rate divided by 9600.
int BaudrateCode(TModBaudrate Baud);
// "9.6 KBaud" ... "115.2 KBaud".
std::string BaudrateName(TModBaudrate Baud);

bool BaudrateFromBps(int Bps, TModBaudrate& Baud);

// Fixed offset of the oscilloscope sampling interval.
constexpr int ScopeSamplingOffsetMs = 20;
// The oscilloscope sampling interval in ms: OffsetMs + 60 / (baud / 9600) on a full-duplex
// line, OffsetMs + 120 / (baud / 9600) on a half-duplex line, integer divisions.
int ScopeSamplingIntervalMs(TModBaudrate Baud, TTransferMode Mode,
                            int OffsetMs = ScopeSamplingOffsetMs);
// Exact case.
bool BaudrateFromName(const std::string& Name, TModBaudrate& Baud);

}  // namespace vdx
