// The terminal's rich text files: any input read as RTF, and any text written as RTF. What we
// write must read back as the same text (line ends become LF).
#include <algorithm>

#include "FuzzSupport.h"
#include "comm/TextUtil.h"
#include "service/RtfCodec.h"

using namespace vdx;
using fuzz::Check;

namespace {

std::string LfLineEnds(const std::string& Text) {
  return ReplaceAll(ReplaceAll(Text, "\r\n", "\n"), "\r", "\n");
}

void CheckWrittenReadsBack(const std::string& Text) {
  const std::string Rtf = TextToRtf(Text);
  Check(
      std::all_of(Rtf.begin(), Rtf.end(), [](char C) { return C == '\n' || (C >= 32 && C < 127); }),
      "written RTF is not 7-bit printable text");
  std::string Back;
  Check(RtfToText(Rtf, Back), "written RTF is not read as RTF");
  Check(Back == LfLineEnds(Text), "written RTF reads back as another text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Input = fuzz::AsText(Data, Size);
  CheckWrittenReadsBack(Input);
  std::string Text;
  if (RtfToText(Input, Text))
    CheckWrittenReadsBack(Text);
  else
    Check(Text.empty(), "a refused document left text");
  return 0;
}
