// A small JSON writer for vdxctl's machine output. Texts are taken as ISO-8859-1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vdx::cli {

class TJsonWriter {
 public:
  TJsonWriter& BeginObject();
  TJsonWriter& EndObject();
  TJsonWriter& BeginArray();
  TJsonWriter& EndArray();
  // The key of the next value inside an object.
  TJsonWriter& Key(const std::string& Name);
  TJsonWriter& Value(const std::string& Text);
  TJsonWriter& Value(const char* Text) { return Value(std::string(Text)); }
  TJsonWriter& Value(int64_t Number);
  TJsonWriter& Value(int Number) { return Value(static_cast<int64_t>(Number)); }
  TJsonWriter& Value(bool Flag);
  TJsonWriter& Null();
  TJsonWriter& StringArray(const std::vector<std::string>& Texts);

  const std::string& Text() const { return FOut; }

 private:
  void Separate();
  std::string FOut;
  std::vector<bool> FFirst;  // per open container: no member written yet
  bool FAfterKey = false;
};

}  // namespace vdx::cli
