#include "comm/Exchange.h"

#include "comm/ComPort.h"
#include "comm/TextUtil.h"

namespace vdx {

unsigned ExchangeTimeout(int TimeoutMs) {
  return TimeoutMs < 0 ? 3000u : static_cast<unsigned>(TimeoutMs);
}

namespace {

// Reads one character; false on a time-out.
bool ReadChar(TComPort& Port, char& C) {
  std::string S;
  if (Port.ReadText(S, 1) != 1) return false;
  C = S[0];
  return true;
}

}  // namespace

bool ExchangeFullDuplex(TComPort* Port, const std::string& Cmd, const std::string& Echo,
                        const std::string& Prompt, std::string& Reply, int TimeoutMs) {
  Reply.clear();
  if (!Port) return false;
  bool Complete = false;
  try {
    Port->SetReadTimeouts(TComPort::NoLimit, 0, ExchangeTimeout(TimeoutMs));
    if (!Port->Connected()) return false;
    Port->PurgeBuffers(true, true);
    Port->WriteText(Cmd);
    std::string Scan;
    bool EchoSeen = false;
    char C;
    while (!Complete && Port->Connected() && ReadChar(*Port, C)) {
      if (!EchoSeen) {
        Scan += C;
        if (Echo.empty() || EndsWithNoCase(Scan, Echo)) {
          EchoSeen = true;
          Reply = Echo;
        } else if (Scan.size() > MaxReplySize) {
          break;
        }
      } else {
        Reply += C;
        Complete = EndsWithNoCase(Reply, Prompt);
        if (Reply.size() > MaxReplySize) break;
      }
    }
  } catch (const TComPortError&) {
    Complete = false;
  }
  if (!Complete) Reply.clear();
  return Complete;
}

bool ExchangeHalfDuplex(TComPort* Port, const std::string& Cmd, const std::string& Echo,
                        const std::string& Prompt, std::string& Reply, int TimeoutMs) {
  Reply.clear();
  if (!Port) return false;
  bool TimedOut = false, PromptSeen = false;
  try {
    Port->SetReadTimeouts(TComPort::NoLimit, 0, ExchangeTimeout(TimeoutMs));
    if (!Port->Connected()) return false;
    Port->PurgeBuffers(true, true);
    for (size_t I = 0; I < Cmd.size() && !TimedOut && !PromptSeen && Port->Connected(); ++I) {
      if (Port->WriteText(std::string(1, Cmd[I])) == 0) continue;
      char Copy;
      if (!ReadChar(*Port, Copy)) {
        TimedOut = true;
        break;
      }
      if (Copy == '\r' || I + 1 == Cmd.size()) {
        char C;
        while (!PromptSeen && Reply.size() <= MaxReplySize) {
          if (!ReadChar(*Port, C)) {
            TimedOut = true;
            break;
          }
          Reply += C;
          PromptSeen = EndsWithNoCase(Reply, Prompt);
        }
        if (!PromptSeen) TimedOut = true;
      } else {
        char EchoChar;
        if (!ReadChar(*Port, EchoChar)) {
          TimedOut = true;
          break;
        }
        Reply += EchoChar;
      }
    }
  } catch (const TComPortError&) {
    return false;
  }
  return !TimedOut && PromptSeen && StartsWithNoCase(Reply, Echo);
}

bool WaitForText(TComPort* Port, const std::string& StartText, const std::string& EndText,
                 int IntervalMs, int TotalMs, std::string& Reply) {
  Reply.clear();
  if (!Port) return false;
  bool StartSeen = StartText.empty(), EndSeen = EndText.empty();
  try {
    Port->SetReadTimeouts(IntervalMs < 0 ? TComPort::NoLimit : static_cast<uint32_t>(IntervalMs),
                          0, static_cast<uint32_t>(TotalMs < 0 ? 0 : TotalMs));
    if (!Port->Connected()) return false;
    Port->PurgeBuffers(true, false);
    std::string Scan;
    char C;
    while (Port->Connected() && Reply.size() <= MaxReplySize && Scan.size() <= MaxReplySize) {
      if (!ReadChar(*Port, C)) break;
      if (!StartSeen) {
        Scan += C;
        if (EndsWithNoCase(Scan, StartText)) {
          StartSeen = true;
          Reply = StartText;
        }
      } else if (EndText.empty()) {
        Reply += C;
      } else {
        Reply += C;
        if (EndsWithNoCase(Reply, EndText)) {
          EndSeen = true;
          break;
        }
      }
    }
  } catch (const TComPortError&) {
    StartSeen = false;
  }
  if (StartSeen && EndSeen && !Reply.empty() && Reply.size() <= MaxReplySize) return true;
  Reply.clear();
  return false;
}

}  // namespace vdx
