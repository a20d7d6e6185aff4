#include "params/ParameterComparison.h"

#include <set>

#include "comm/ColumnText.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

bool IsValueParameter(const TModBaseCommand* Cmd) {
  if (!Cmd || (Cmd->GCode & gbXAVO)) return false;
  return Cmd->Type == ctTextPara || Cmd->Type == ctNumPara || Cmd->Type == ctCCPara ||
         Cmd->Type == ctAinPara;
}

// The first entry named Name when it is a value parameter.
const TModBaseCommand* FindValueParameter(const TModCommandList& List, const std::string& Name) {
  const TModBaseCommand* Cmd = List.Objects(List.IndexOf(Name));
  return IsValueParameter(Cmd) ? Cmd : nullptr;
}

std::string PointText(const TCurvePoint& Pt) {
  return "(" + std::to_string(Pt.X) + ", " + std::to_string(Pt.Y) + ")";
}

std::string AinLetter(uint8_t X) {
  return X < AinKindLetters().size() ? AinKindLetters()[X] : std::to_string(X);
}

std::string ValueText(const TModBaseCommand& Cmd, const TCompareOptions& Options) {
  std::string Text;
  if (auto* Num = dynamic_cast<const TModNumParaCmd*>(&Cmd);
      Num && Options.ShowDecimals && Num->IsHundredths()) {
    Num->GetPercentText(Text);
  } else if (auto* Ain = dynamic_cast<const TModAinParaCmd*>(&Cmd)) {
    Text = std::to_string(Ain->A) + " " + std::to_string(Ain->B) + " " + std::to_string(Ain->C) +
           " " + AinLetter(Ain->X);
  } else {
    Cmd.GetValueText(Text);
  }
  return Text;
}

void CompareCurves(const TModCCParaCmd& M, const TModCCParaCmd& F, TCompareRow& Row) {
  std::vector<std::string> ModuleParts, FileParts;
  for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
    TCurvePoint A, B;
    M.GetPoint(I, A);
    F.GetPoint(I, B);
    if (A == B) continue;
    Row.Details.push_back({"point " + std::to_string(I), PointText(A), PointText(B)});
    ModuleParts.push_back(std::to_string(I) + ": " + PointText(A));
    FileParts.push_back(std::to_string(I) + ": " + PointText(B));
  }
  if (Row.Details.empty()) return;
  Row.ModuleText = JoinTexts(ModuleParts, "; ");
  Row.FileText = JoinTexts(FileParts, "; ");
}

void CompareAin(const TModAinParaCmd& M, const TModAinParaCmd& F, TCompareRow& Row) {
  const struct {
    const char* Field;
    int32_t ModuleValue, FileValue;
  } Fields[] = {{"A", M.A, F.A}, {"B", M.B, F.B}, {"C", M.C, F.C}};
  for (const auto& Each : Fields)
    if (Each.ModuleValue != Each.FileValue)
      Row.Details.push_back(
          {Each.Field, std::to_string(Each.ModuleValue), std::to_string(Each.FileValue)});
  if (M.X != F.X) Row.Details.push_back({"X", AinLetter(M.X), AinLetter(F.X)});
}

bool TextInList(const TModCtrlCommand& Cmd, const std::string& Text) {
  for (const auto& Entry : Cmd.VList)
    if (SameTextNoCase(Entry, Text)) return true;
  return false;
}

TCompareRow CompareBoth(const TModBaseCommand& M, const TModBaseCommand& F,
                        const TCompareOptions& Options) {
  TCompareRow Row;
  Row.Name = M.Name;
  Row.ModuleText = ValueText(M, Options);
  Row.FileText = ValueText(F, Options);
  bool Same = true;
  bool Takes = M.IsWritable();
  if (M.Type != F.Type) {
    Row.Details.push_back({"kind", CmdTypeName(M.Type), CmdTypeName(F.Type)});
    Same = Takes = false;
  } else if (auto* MText = dynamic_cast<const TModTextParaCmd*>(&M)) {
    const auto& FText = static_cast<const TModTextParaCmd&>(F);
    Same = SameTextNoCase(MText->Txt, FText.Txt);
    Takes = Takes && TextInList(*MText, FText.Txt);
  } else if (auto* MNum = dynamic_cast<const TModNumParaCmd*>(&M)) {
    Same = MNum->Val == static_cast<const TModNumParaCmd&>(F).Val;
  } else if (auto* MCurve = dynamic_cast<const TModCCParaCmd*>(&M)) {
    CompareCurves(*MCurve, static_cast<const TModCCParaCmd&>(F), Row);
    Same = Row.Details.empty();
  } else if (auto* MAin = dynamic_cast<const TModAinParaCmd*>(&M)) {
    CompareAin(*MAin, static_cast<const TModAinParaCmd&>(F), Row);
    Same = Row.Details.empty();
  }
  Row.State = Same ? csEqual : csDifferent;
  Row.Writable = !Same && Takes;
  return Row;
}

}  // namespace

std::string CompareStateText(TCompareState State) {
  switch (State) {
    case csDifferent:
      return "different";
    case csOnlyInModule:
      return "only in module";
    case csOnlyInFile:
      return "only in file";
    case csEqual:
      return "equal";
  }
  return "";
}

std::string TCompareRow::WhereText() const {
  if (Details.empty()) return "";
  if (Details.front().Where == "kind") return "kind";
  std::vector<std::string> Parts;
  const bool Points = Details.front().Where.starts_with("point ");
  for (const auto& D : Details) Parts.push_back(Points ? D.Where.substr(6) : D.Where);
  return (Points ? "points " : "fields ") + JoinTexts(Parts, ", ");
}

int TParameterComparison::DifferenceCount() const {
  int Count = 0;
  for (const auto& Row : Rows) Count += Row.State != csEqual;
  return Count;
}

const TCompareRow* TParameterComparison::Find(const std::string& Name) const {
  for (const auto& Row : Rows)
    if (Row.Name == Name) return &Row;
  return nullptr;
}

TParameterComparison CompareParameters(const TModCommandList& Module, const TModCommandList& File,
                                       const TCompareOptions& Options) {
  std::vector<TCompareRow> Groups[4];
  std::set<std::string> Seen;  // upper-case names already compared
  for (int I = 0; I < Module.Count(); ++I) {
    const TModBaseCommand* M = Module.Objects(I);
    if (!IsValueParameter(M) || !Seen.insert(UpperCase(M->Name)).second) continue;
    if (const TModBaseCommand* F = FindValueParameter(File, M->Name)) {
      TCompareRow Row = CompareBoth(*M, *F, Options);
      Groups[Row.State].push_back(std::move(Row));
    } else {
      TCompareRow Row;
      Row.Name = M->Name;
      Row.State = csOnlyInModule;
      Row.ModuleText = ValueText(*M, Options);
      Groups[csOnlyInModule].push_back(std::move(Row));
    }
  }
  for (int I = 0; I < File.Count(); ++I) {
    const TModBaseCommand* F = File.Objects(I);
    if (!IsValueParameter(F) || !Seen.insert(UpperCase(F->Name)).second) continue;
    TCompareRow Row;
    Row.Name = F->Name;
    Row.State = csOnlyInFile;
    Row.FileText = ValueText(*F, Options);
    Groups[csOnlyInFile].push_back(std::move(Row));
  }
  TParameterComparison Result;
  for (auto& Group : Groups)
    for (auto& Row : Group) Result.Rows.push_back(std::move(Row));
  return Result;
}

std::vector<std::vector<std::string>> ValueTextSets(const TModBaseCommand& File) {
  if (auto* Text = dynamic_cast<const TModTextParaCmd*>(&File)) return {{Text->Txt}};
  if (auto* Num = dynamic_cast<const TModNumParaCmd*>(&File)) return {{std::to_string(Num->Val)}};
  if (auto* Ain = dynamic_cast<const TModAinParaCmd*>(&File))
    return {{std::to_string(Ain->A), std::to_string(Ain->B), std::to_string(Ain->C),
             Ain->X == 1 ? "C" : "V"}};
  std::vector<std::vector<std::string>> Sets;
  if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(&File))
    for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
      TCurvePoint Pt;
      Curve->GetPoint(I, Pt);
      Sets.push_back({std::to_string(I), std::to_string(Pt.X), std::to_string(Pt.Y)});
    }
  return Sets;
}

}  // namespace vdx
