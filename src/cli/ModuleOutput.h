// How vdxctl shows a whole module: its ID, line rate, access code and remote control, then
// every parameter, process value, status bit and remote input; as tables or as one JSON object.
#pragma once

#include <cstdint>

#include "comm/ModCommProt.h"

namespace vdx::cli {

// Online false: the lists came from a file; there is no line rate (JSON "baud": null).
void PrintModule(TVDXModCommProt& Prot, uint16_t AccessCode, bool Online, bool Json);

}  // namespace vdx::cli
