// Turns a module reply into a command name and value texts.
#pragma once

#include <string>
#include <vector>

namespace vdx {

// False for a missing Values list, an empty reply, a reply containing "command error" and a
// reply without entries. With an empty CmdName the first entry becomes CmdName; otherwise every
// occurrence of CmdName is removed from the first entry, which stays even when empty.
bool ParseReply(const std::string& Reply, std::string& CmdName, std::vector<std::string>* Values);

// Value texts of a reply after its echoed command word, or false as ParseReply.
bool ParseReplyValues(const std::string& Reply, std::vector<std::string>& Values);

}  // namespace vdx
