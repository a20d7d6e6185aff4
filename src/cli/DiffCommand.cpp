// vdxctl diff: the module's parameters beside the ones a ".vdx" module or a ".par" file holds,
// as the desktop tool's compare dialog shows them. Exit code 0 when equal, 4 when they differ.
#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/FileQuestions.h"
#include "cli/FileSteps.h"
#include "cli/Json.h"
#include "cli/TextTable.h"
#include "comm/TextUtil.h"
#include "params/ParameterComparison.h"

namespace vdx::cli {

namespace {

// A side's value text in JSON: null when the side lacks the parameter.
void SideValue(TJsonWriter& J, const char* Key, bool Present, const std::string& Text) {
  J.Key(Key);
  if (Present)
    J.Value(Text);
  else
    J.Null();
}

void PrintJson(const TVDXModCommProt& P, const TCompareFile& File, const TParameterComparison& C) {
  TJsonWriter J;
  J.BeginObject();
  // The file is the caller's own argument; its name is not repeated (the writer takes Latin-1
  // texts, a file name may be UTF-8).
  J.Key("module").Value(P.ModuleId()).Key("fileModule").Value(File.ModuleId());
  J.Key("equal").Value(C.Equal()).Key("differences").Value(C.DifferenceCount());
  J.Key("parameters").BeginArray();
  for (const TCompareRow& Row : C.Rows) {
    J.BeginObject().Key("name").Value(Row.Name).Key("state").Value(CompareStateText(Row.State));
    SideValue(J, "module", Row.State != csOnlyInFile, Row.ModuleText);
    SideValue(J, "file", Row.State != csOnlyInModule, Row.FileText);
    J.Key("details").BeginArray();
    for (const TCompareDetail& D : Row.Details)
      J.BeginObject()
          .Key("at")
          .Value(D.Where)
          .Key("module")
          .Value(D.ModuleText)
          .Key("file")
          .Value(D.FileText)
          .EndObject();
    J.EndArray().EndObject();
  }
  J.EndArray().EndObject();
  std::printf("%s\n", J.Text().c_str());
}

void PrintReadable(const TVDXModCommProt& P, const TCompareFile& File,
                   const TParameterComparison& C) {
  std::printf("Module: %s\n", Latin1ToUtf8(P.ModuleId()).c_str());
  std::printf("File:   %s (%s)\n", File.FileName().c_str(), Latin1ToUtf8(File.ModuleId()).c_str());
  TTextTable Table({"NAME", "MODULE", "FILE", "STATE", "WHERE"});
  for (const TCompareRow& Row : C.Rows)
    Table.AddRow(
        {Row.Name, Row.ModuleText, Row.FileText, CompareStateText(Row.State), Row.WhereText()});
  Table.Print(stdout);
  if (C.Equal())
    std::printf("equal: %zu parameters\n", C.Rows.size());
  else
    std::printf("%d of %zu parameters differ\n", C.DifferenceCount(), C.Rows.size());
}

}  // namespace

// A file that cannot be read is a file error (3) found before the port is opened; a module ID
// that names none of the file's modules is a usage error (2); a file without data for the
// module (no --module) or of another module type is refused as the import refuses it (1).
int RunDiff(const TCliOptions& Options) {
  std::string FileName;
  TFileKind Kind;
  if (!TakeModuleFileArgument(Options, "usage: vdxctl diff FILE [--module ID] [--json]", FileName,
                              Kind))
    return exUsage;
  if (int Code = CheckReadable(FileName); Code != exDone) return Code;
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  TVDXModCommProt& P = Session.Prot();
  TFileQuestions Questions(P, Options);
  TCompareFile File;
  const TCompareFile::TLoadResult Result = File.Load(P, FileName);
  if (std::string Problem = Questions.ChoiceProblem(FileName); !Problem.empty()) {
    PrintError(Problem);
    return exUsage;
  }
  switch (Result) {
    case TCompareFile::lrDone:
      break;
    case TCompareFile::lrNotInFile:
      PrintError(File.Error());
      if (Questions.OtherModuleDeclined())
        PrintError("name the file's module to compare with --module ID:" + ModulesOfFile(FileName));
      return exLinkFailed;
    case TCompareFile::lrNotUsable:
      PrintError(File.Error());
      return exFileFailed;
    case TCompareFile::lrNoModule:
      PrintError(File.Error());
      return exLinkFailed;
  }
  const TParameterComparison C = CompareParameters(P.CmdList(), File.Parameters());
  if (Options.Json)
    PrintJson(P, File, C);
  else
    PrintReadable(P, File, C);
  return C.Equal() ? exDone : exDiffer;
}

}  // namespace vdx::cli
