// One command exchange on the port: send, skip to the echo, collect up to the prompt. The
// time-out is per character, so long answers take as long as the module keeps talking while a
// silent module is noticed after one time-out.
#pragma once

#include <cstddef>
#include <string>

namespace vdx {

class TComPort;

// A reply that grows past this size ends the exchange as failed.
constexpr size_t MaxReplySize = 1 << 20;

// Per-character wait of an exchange: TimeoutMs, or 3000 ms when negative.
unsigned ExchangeTimeout(int TimeoutMs);

// Full-duplex line: the module echoes as it receives. On success Reply is Echo followed by all
// received after it up to and including Prompt; on failure Reply is empty.
bool ExchangeFullDuplex(TComPort* Port, const std::string& Cmd, const std::string& Echo,
                        const std::string& Prompt, std::string& Reply, int TimeoutMs);

// Half-duplex line: every character sent comes back as the line's copy and then as the module's
// echo. On failure Reply keeps what was collected.
bool ExchangeHalfDuplex(TComPort* Port, const std::string& Cmd, const std::string& Echo,
                        const std::string& Prompt, std::string& Reply, int TimeoutMs);

// Sends nothing: discards pending input, waits for StartText, then collects up to EndText.
bool WaitForText(TComPort* Port, const std::string& StartText, const std::string& EndText,
                 int IntervalMs, int TotalMs, std::string& Reply);

}  // namespace vdx
