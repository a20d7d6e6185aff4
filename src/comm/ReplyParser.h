// Turns a module reply into a command name and value texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vdx {

// False for a missing Values list, an empty reply, a reply containing "command error" and a
// reply without entries. With an empty CmdName the first entry becomes CmdName; otherwise every
// occurrence of CmdName is removed from the first entry, which stays even when empty.
bool ParseReply(const std::string& Reply, std::string& CmdName, std::vector<std::string>* Values);

// Value texts of a reply after its echoed command word, or false as ParseReply.
bool ParseReplyValues(const std::string& Reply, std::vector<std::string>& Values);

// A process value reply: true with the reply's command name and its single whole number;
// false for anything else (no parse, "command error", several values, a decimal point, ...).
// Values is the scratch list of the parse.
bool ParseSingleInteger(const std::string& Reply, std::string& Name,
                        std::vector<std::string>& Values, int32_t& Value);

}  // namespace vdx
