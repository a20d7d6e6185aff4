// The legacy parameter file (".par"): the identification line, then the parameter lines
// between two "##" lines; older files carry a raw block between two "#" lines instead, which
// the module takes whole with "DOWNLOAD".
#include <fstream>
#include <sstream>

#include "app/AtomicFile.h"
#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/ReplyParser.h"
#include "comm/TextUtil.h"
#include "params/ParameterLines.h"

namespace vdx {

namespace {

constexpr int DownloadTimeoutMs = 2000;

bool ReadTextFile(const std::string& FileName, std::string& Text, std::string& Error) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) {
    Error = "cannot read " + FileName;
    return false;
  }
  std::ostringstream Content;
  Content << In.rdbuf();
  Text = Content.str();
  return true;
}

// The identification line without every "CMD>" and "ID" in it, trimmed.
std::string CleanIdLine(const std::string& Line) {
  return TrimControl(ReplaceAll(ReplaceAll(Line, "CMD>", ""), "ID", ""));
}

// Index of the first line from the second on that is exactly Marker, or -1.
int FindMarker(const std::vector<std::string>& Lines, const std::string& Marker, size_t From = 1) {
  for (size_t I = From; I < Lines.size(); ++I)
    if (Lines[I] == Marker) return static_cast<int>(I);
  return -1;
}

}  // namespace

bool TVDXModCommProt::ExportParFile(const std::string& FileName) {
  FFileError.clear();
  if (!FModuleDataValid) {
    FFileError = "no module identified";
    return false;
  }
  std::string Text = FModuleId + "\r\n##\r\n";
  for (int I = 0; I < FLists.CmdList.Count(); ++I) {
    const TModBaseCommand* Cmd = FLists.CmdList.Objects(I);
    if (!Cmd || (Cmd->GCode & gbXAVO)) continue;
    for (const auto& Line : ParameterLines(*Cmd)) Text += Line + "\r\n";
  }
  Text += "##\r\n";
  return WriteFileAtomically(FileName, Text, FFileError);
}

uint8_t TVDXModCommProt::ImportParFile(const std::string& FileName, bool Force) {
  FFileError.clear();
  if (!FModuleDataValid) return irNoModule;
  std::string Text;
  if (!ReadTextFile(FileName, Text, FFileError)) return irNotUsable;
  const std::vector<std::string> Lines = SplitLines(Text);
  if (Lines.size() < 3) return irNotUsable;
  if (!Force) {
    std::string FileModule, Module;
    GetModuleName(Module);
    if (!ParseModuleId(CleanIdLine(Lines[0]), FileModule) || FileModule != Module)
      return irOtherModule;
  }

  std::lock_guard Lock(FExchangeLock);
  const int Section = FindMarker(Lines, "##");
  if (Section < 0) {
    const int Open = FindMarker(Lines, "#");
    const int Close = Open < 0 ? -1 : FindMarker(Lines, "#", static_cast<size_t>(Open) + 1);
    if (Close < 0) return irNotUsable;
    std::string Block;
    for (int I = Open + 1; I < Close; ++I) Block += Lines[static_cast<size_t>(I)];
    std::string Reply;
    if (!SendCommand("DOWNLOAD\r", "DOWNLOAD", "!", Reply, DownloadTimeoutMs) ||
        !SendCommand(Block + "\r", "completed!", ">", Reply, DownloadTimeoutMs))
      return irNotUsable;
    ReloadParameters();
    return irDone;
  }

  std::vector<std::string> ErrList;
  for (size_t I = static_cast<size_t>(Section) + 1; I < Lines.size() && Lines[I] != "##"; ++I) {
    std::string Name;
    std::vector<std::string> Values;
    if (!ParseReply(Lines[I], Name, &Values)) continue;
    TModBaseCommand* Cmd = FLists.CmdList.Objects(FLists.CmdList.IndexOf(Name));
    const auto Colon = Name.find(':');
    if (!Cmd && Colon != std::string::npos) {
      auto* Curve = dynamic_cast<TModCCParaCmd*>(
          FLists.CmdList.Objects(FLists.CmdList.IndexOf(Name.substr(0, Colon))));
      if (Curve) {
        Cmd = Curve;
        const std::string Index = Name.substr(Colon + 1);
        int32_t Ignored;
        if (TryStrToInt(Index, Ignored)) Values.insert(Values.begin(), Index);
      }
    }
    auto* Param = dynamic_cast<TModCtrlCommand*>(Cmd);
    if (!Param) {
      ErrList.push_back(Name);
      continue;
    }
    SetCmdValues(Param, &Values);
    if (PortOpen())
      SendParameter(Param);
    else
      Param->DoChange();
  }
  if (!ErrList.empty() && OnParaDownloadError) OnParaDownloadError(*this, ErrList);
  return irDone;
}

}  // namespace vdx
