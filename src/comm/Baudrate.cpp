#include "comm/Baudrate.h"

namespace vdx {

namespace {
struct TRateInfo {
  int Bps;
  const char* Name;
};
constexpr TRateInfo Rates[] = {{9600, "9.6 KBaud"},
                               {19200, "19.2 KBaud"},
                               {38400, "38.4 KBaud"},
                               {57600, "57.6 KBaud"},
                               {115200, "115.2 KBaud"}};
}  // namespace

int BaudrateBps(TModBaudrate Baud) { return Rates[Baud].Bps; }
int BaudrateCode(TModBaudrate Baud) { return Rates[Baud].Bps / 9600; }
std::string BaudrateName(TModBaudrate Baud) { return Rates[Baud].Name; }

bool BaudrateFromBps(int Bps, TModBaudrate& Baud) {
  for (TModBaudrate B : AllBaudrates)
    if (Rates[B].Bps == Bps) {
      Baud = B;
      return true;
    }
  return false;
}

bool BaudrateFromName(const std::string& Name, TModBaudrate& Baud) {
  for (TModBaudrate B : AllBaudrates)
    if (Name == Rates[B].Name) {
      Baud = B;
      return true;
    }
  return false;
}

int ScopeSamplingIntervalMs(TModBaudrate Baud, TTransferMode Mode, int OffsetMs) {
  const int Factor = BaudrateBps(Baud) / 9600;
  return OffsetMs + (Mode == tmHalfDuplex ? 120 : 60) / Factor;
}

}  // namespace vdx
