// The per-user folder that holds the tool's settings file and the port map.
#pragma once

#include <string>

namespace vdx {

// "<base>/Xavo" without a trailing slash, base being $appdata, else $APPDATA, else
// $XDG_CONFIG_HOME (when absolute), else ~/.config. The folder is not created.
std::string AppDataFolder();

}  // namespace vdx
