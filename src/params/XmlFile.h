// Reading and writing whole XML files with libxml2, safely: bounded input, no network, no DTD
// loading, no entity declarations, atomic writes, and libxml2's reports turned into one error
// text instead of output on stderr.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string>

namespace vdx::xml {

// Larger files are refused before parsing.
constexpr size_t MaxXmlFileSize = 64u << 20;

// Parses the file. Blank text nodes are dropped, so the tree is indented again when written.
// Refused: files over MaxXmlFileSize, documents that are not well-formed or nested deeper than
// libxml2's limit (256), and documents declaring entities (they could expand without bound).
// Returns nullptr with Error set, for example
// "FILE line 3: Opening and ending tag mismatch: CCmd line 2 and Commands (XML error 76)".
xmlDocPtr ReadXmlFile(const std::string& FileName, std::string& Error);

// Writes the document indented in its own encoding (UTF-8 when it has none) through a temporary
// file renamed over the target. False with Error set when that fails; the target is then
// unchanged.
bool WriteXmlFile(xmlDocPtr Doc, const std::string& FileName, std::string& Error);

}  // namespace vdx::xml
