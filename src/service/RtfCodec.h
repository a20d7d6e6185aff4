// The terminal's files: its text as rich text in a fixed monospaced font, and rich text read
// back to plain text. Texts are 8-bit ISO-8859-1; line ends in a text are LF.
#pragma once

#include <string>

namespace vdx {

// The text as an RTF document: header with the font "Courier New", "\par" per line end
// (LF, CR LF or a lone CR), "\tab" for tabs, "\'hh" for bytes 0x80..0xFF and control bytes,
// and "\", "{", "}" escaped.
std::string TextToRtf(const std::string& Text);

// The plain text of an RTF document: "\par" and "\line" become LF, "\tab" a tab, "\'hh" and
// "\uN" (code points up to 0xFF; others become "?") their byte; the destinations "\*...",
// font and colour tables, style sheet, document info and pictures are skipped, as is binary
// data ("\binN"). False when Rtf does not begin with "{\rtf".
bool RtfToText(const std::string& Rtf, std::string& Text);

// Writes Text as an RTF file through a temporary file renamed over the target. False with
// Error set when it cannot be written; the target is then unchanged.
bool SaveTerminalFile(const std::string& FileName, const std::string& Text, std::string& Error);

// Reads a terminal file: rich text is turned into plain text, any other file is taken as plain
// text with its line ends made LF. False with Error set when it cannot be read.
bool LoadTerminalFile(const std::string& FileName, std::string& Text, std::string& Error);

}  // namespace vdx
