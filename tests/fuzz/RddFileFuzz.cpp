// Readout description files (".rdd") read from disk and parsed as the module's readout, the way
// an identification falls back to them.
#include "FuzzSupport.h"
#include "comm/ModCommProt.h"
#include "comm/TextUtil.h"
#include "params/ReadoutDescriptionFile.h"

using namespace vdx;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TVDXModCommProt Prot;
  static const fuzz::TScratchFile File("module.rdd");
  const std::string Text = fuzz::AsText(Data, Size);
  File.Write(Text);

  std::vector<std::string> Lines;
  Check(LoadReadoutDescription(File.Path(), Lines), "a readable file was refused");
  size_t Bytes = 0;
  for (const std::string& Line : Lines) {
    Check(Line.find_first_of("\r\n") == std::string::npos, "a line holds a line break");
    Bytes += Line.size();
  }
  // Every byte of the file is in a line or is a line end; none is lost.
  for (char C : Text) Bytes += C == '\r' || C == '\n';
  Check(Bytes == Text.size(), "bytes of the file are lost");

  Prot.ParseReadoutList(JoinTexts(Lines, "\r\n"));
  const int Params = Prot.CmdList().Count(), Values = Prot.ProcessData().Count();
  Prot.ParseReadoutList(Text);
  Check(Prot.CmdList().Count() == Params && Prot.ProcessData().Count() == Values,
        "the file's lines describe other commands than the file");
  return 0;
}
