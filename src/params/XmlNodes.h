// Small helpers over a libxml2 tree: finding elements, reading and writing attributes. Texts
// cross this interface as ISO-8859-1 bytes; libxml2 holds them in UTF-8.
#pragma once

#include <libxml/tree.h>

#include <optional>
#include <string>
#include <vector>

namespace vdx::xml {

// UTF-8 to ISO-8859-1; characters beyond 0xFF and malformed bytes become '?'.
std::string Utf8ToLatin1(const std::string& S);
// ISO-8859-1 to UTF-8 for the tree. Control characters that XML 1.0 cannot hold (all below
// 0x20 except tab, LF and CR) become '?', so a written file can always be read again.
std::string Latin1ToXml(const std::string& S);
// The ISO-8859-1 text an attribute set to S reads back as: S with those control characters as '?'.
std::string StoredText(const std::string& S);

// The element's name as ISO-8859-1.
std::string ElementName(xmlNodePtr Node);

// Direct child elements named Name, in document order.
std::vector<xmlNodePtr> ChildElements(xmlNodePtr Parent, const char* Name);
// The first element named Name below Node (depth first, document order; Node itself is not
// considered), or nullptr.
xmlNodePtr FirstDescendant(xmlNodePtr Node, const char* Name);
// Every element named Name below Node whose attribute Attr equals Value exactly, as SetAttr
// stores Value (so an element written with a value is found by that value).
std::vector<xmlNodePtr> DescendantsWithAttr(xmlNodePtr Node, const char* Name, const char* Attr,
                                            const std::string& Value);

// The value of the attribute Name (without namespace) of Node; nullopt when it is missing.
// Only the attribute's own text is read: no DTD defaults, no entity expansion.
std::optional<std::string> GetAttr(xmlNodePtr Node, const char* Name);
// Sets the attribute, replacing one of the same name; appended after existing ones otherwise.
void SetAttr(xmlNodePtr Node, const char* Name, const std::string& Value);

// Appends an empty element named Name as the last child of Parent.
xmlNodePtr AppendElement(xmlNodePtr Parent, const char* Name);
// Removes and frees every child node of Node (its attributes stay).
void RemoveChildren(xmlNodePtr Node);

}  // namespace vdx::xml
