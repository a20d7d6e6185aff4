// The terminal path of the protocol component: typed keys go to the module as single bytes,
// received bytes go to the linked terminal, while the operating mode is omTerminal.
#include "comm/ModCommProt.h"

namespace vdx {

void TVDXModCommProt::SetTerminal(ITerminalView* View) {
  FTerminal = View;
  if (View)
    View->OnTerminalInput = [this](ITerminalView&, char Key, std::string& Response) {
      TerminalInput(Key, Response);
    };
}

void TVDXModCommProt::TerminalInput(char Key, std::string&) { SendTerminalChar(Key); }

bool TVDXModCommProt::SendTerminalChar(char Ch) {
  if (FOperatingMode.load() != omTerminal) return false;
  std::lock_guard Lock(FExchangeLock);
  if (!FComPort.Connected()) return true;
  try {
    FComPort.WriteText(std::string(1, Ch));
    // On a two-wire line the key comes back as the line's copy; the next read drops it.
    FLastTermChar = FTransferMode == tmHalfDuplex ? Ch : 0;
  } catch (const TComPortError&) {
  }
  return true;
}

bool TVDXModCommProt::TerminalPathLive() const {
  return FOperatingMode.load() == omTerminal && FTerminal && FTerminalRxDetached.load() == 0 &&
         FComPort.Connected();
}

void TVDXModCommProt::TerminalRxChar(int Count) {
  if (!TerminalPathLive()) return;
  std::string Received;
  try {
    std::lock_guard Lock(FExchangeLock);
    if (!FComPort.Connected()) return;
    if (Count < 0) Count = FComPort.BytesWaiting();
    if (Count <= 0) return;
    FComPort.SetReadTimeouts(TComPort::NoLimit, 0, 0);  // what is there, without waiting
    if (FComPort.ReadText(Received, Count) <= 0) return;
  } catch (const TComPortError&) {
    return;
  }
  size_t First = 0;
  if (FTransferMode == tmHalfDuplex && FLastTermChar != 0 && Received[0] == FLastTermChar)
    First = 1;
  FLastTermChar = 0;
  if (First < Received.size()) FTerminal->DisplayText(std::string_view(Received).substr(First));
}

}  // namespace vdx
