#include "params/XmlNodes.h"

#include "comm/TextUtil.h"

namespace vdx::xml {

namespace {

const xmlChar* X(const char* S) { return reinterpret_cast<const xmlChar*>(S); }

bool IsElement(xmlNodePtr N, const char* Name) {
  return N->type == XML_ELEMENT_NODE && xmlStrEqual(N->name, X(Name));
}

// Visits the elements below Node in document order until Visit returns true.
template <class F>
xmlNodePtr WalkElements(xmlNodePtr Node, F Visit) {
  xmlNodePtr N = Node ? Node->children : nullptr;
  while (N) {
    if (N->type == XML_ELEMENT_NODE) {
      if (Visit(N)) return N;
      if (N->children) {
        N = N->children;
        continue;
      }
    }
    while (N != Node && !N->next) N = N->parent;
    if (N == Node) break;
    N = N->next;
  }
  return nullptr;
}

}  // namespace

std::string Utf8ToLatin1(const std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (size_t I = 0; I < S.size();) {
    const auto C = static_cast<unsigned char>(S[I]);
    if (C < 0x80) {
      R += static_cast<char>(C);
      ++I;
      continue;
    }
    // Length of the sequence from its lead byte; a stray continuation byte counts as one.
    const size_t Len = C >= 0xF0 ? 4 : C >= 0xE0 ? 3 : C >= 0xC0 ? 2 : 1;
    size_t Got = 1;
    while (Got < Len && I + Got < S.size() &&
           (static_cast<unsigned char>(S[I + Got]) & 0xC0) == 0x80)
      ++Got;
    if (Len == 2 && Got == 2 && (C == 0xC2 || C == 0xC3))
      R += static_cast<char>(((C & 0x03) << 6) | (static_cast<unsigned char>(S[I + 1]) & 0x3F));
    else
      R += '?';
    I += Got;
  }
  return R;
}

std::string Latin1ToXml(const std::string& S) {
  std::string Clean = S;
  for (char& C : Clean) {
    const auto U = static_cast<unsigned char>(C);
    if (U < 0x20 && U != '\t' && U != '\n' && U != '\r') C = '?';
  }
  return Latin1ToUtf8(Clean);
}

std::string StoredText(const std::string& S) { return Utf8ToLatin1(Latin1ToXml(S)); }

std::string ElementName(xmlNodePtr Node) {
  return Node && Node->name ? Utf8ToLatin1(reinterpret_cast<const char*>(Node->name)) : "";
}

std::vector<xmlNodePtr> ChildElements(xmlNodePtr Parent, const char* Name) {
  std::vector<xmlNodePtr> Found;
  for (xmlNodePtr N = Parent ? Parent->children : nullptr; N; N = N->next)
    if (IsElement(N, Name)) Found.push_back(N);
  return Found;
}

xmlNodePtr FirstDescendant(xmlNodePtr Node, const char* Name) {
  return WalkElements(Node, [&](xmlNodePtr N) { return IsElement(N, Name); });
}

std::vector<xmlNodePtr> DescendantsWithAttr(xmlNodePtr Node, const char* Name, const char* Attr,
                                            const std::string& Value) {
  std::vector<xmlNodePtr> Found;
  const std::string Stored = StoredText(Value);
  WalkElements(Node, [&](xmlNodePtr N) {
    if (IsElement(N, Name) && GetAttr(N, Attr) == Stored) Found.push_back(N);
    return false;
  });
  return Found;
}

std::optional<std::string> GetAttr(xmlNodePtr Node, const char* Name) {
  for (xmlAttrPtr A = Node ? Node->properties : nullptr; A; A = A->next) {
    if (A->ns || !xmlStrEqual(A->name, X(Name))) continue;
    std::string Value;
    for (xmlNodePtr T = A->children; T; T = T->next)
      if (T->type == XML_TEXT_NODE && T->content)
        Value += reinterpret_cast<const char*>(T->content);
    return Utf8ToLatin1(Value);
  }
  return std::nullopt;
}

void SetAttr(xmlNodePtr Node, const char* Name, const std::string& Value) {
  // xmlSetProp stores the value as plain text; "&" is escaped on output, never parsed.
  xmlSetProp(Node, X(Name), X(Latin1ToXml(Value).c_str()));
}

xmlNodePtr AppendElement(xmlNodePtr Parent, const char* Name) {
  return xmlNewChild(Parent, nullptr, X(Name), nullptr);
}

void RemoveChildren(xmlNodePtr Node) {
  while (xmlNodePtr Child = Node->children) {
    xmlUnlinkNode(Child);
    xmlFreeNode(Child);
  }
}

}  // namespace vdx::xml
