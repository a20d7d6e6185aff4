#include "cli/Json.h"

#include <cstdio>

#include "comm/TextUtil.h"

namespace vdx::cli {

void TJsonWriter::Separate() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (!FFirst.empty()) {
    if (!FFirst.back()) FOut += ',';
    FFirst.back() = false;
  }
}

TJsonWriter& TJsonWriter::BeginObject() {
  Separate();
  FOut += '{';
  FFirst.push_back(true);
  return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
  FOut += '}';
  FFirst.pop_back();
  return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
  Separate();
  FOut += '[';
  FFirst.push_back(true);
  return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
  FOut += ']';
  FFirst.pop_back();
  return *this;
}

TJsonWriter& TJsonWriter::Key(const std::string& Name) {
  Value(Name);
  FOut += ':';
  FAfterKey = true;
  return *this;
}

TJsonWriter& TJsonWriter::Value(const std::string& Text) {
  Separate();
  FOut += '"';
  for (char C : Latin1ToUtf8(Text)) {
    switch (C) {
      case '"': FOut += "\\\""; break;
      case '\\': FOut += "\\\\"; break;
      case '\n': FOut += "\\n"; break;
      case '\r': FOut += "\\r"; break;
      case '\t': FOut += "\\t"; break;
      default:
        if (static_cast<unsigned char>(C) < 0x20) {
          char Buf[8];
          std::snprintf(Buf, sizeof Buf, "\\u%04x", static_cast<unsigned char>(C));
          FOut += Buf;
        } else {
          FOut += C;
        }
    }
  }
  FOut += '"';
  return *this;
}

TJsonWriter& TJsonWriter::Value(int64_t Number) {
  Separate();
  FOut += std::to_string(Number);
  return *this;
}

TJsonWriter& TJsonWriter::Value(bool Flag) {
  Separate();
  FOut += Flag ? "true" : "false";
  return *this;
}

TJsonWriter& TJsonWriter::Null() {
  Separate();
  FOut += "null";
  return *this;
}

TJsonWriter& TJsonWriter::StringArray(const std::vector<std::string>& Texts) {
  BeginArray();
  for (const auto& T : Texts) Value(T);
  return EndArray();
}

}  // namespace vdx::cli
