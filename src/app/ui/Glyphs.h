// The tool buttons' pictures, drawn with QPainter so they stay crisp at any scale.
#pragma once

#include <QIcon>

namespace vdx::ui {

enum class TGlyph {
  Connected,      // plug in its socket
  Disconnected,   // plug pulled out
  Identify,       // magnifier over a chip
  ParamList,      // table
  Monitor,        // gauge
  Scope,          // screen with a wave
  Terminal,       // console prompt
  ClearTerminal,  // blank sheet
  OpenTerminal,   // open folder
  SaveTerminal,   // disk
  Print,          // printer
  Settings,       // gear
  Password,       // key
  Upload,         // module to file
  Download,       // file to module
};

// The picture of a glyph; its enabled and disabled forms come from the style.
QIcon GlyphIcon(TGlyph Glyph);

}  // namespace vdx::ui
