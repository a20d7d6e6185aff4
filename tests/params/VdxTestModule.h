// Helpers for the command list file tests: a sample module with every kind of command, a
// one-line description of a command's stored fields, and file access.
#pragma once

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "TestPaths.h"
#include "comm/ModCommandLists.h"
#include "comm/TextUtil.h"

namespace vdx::testing {

inline std::string VdxFixture(const std::string& Name) {
  return vdx::testing::TestDataDir() + "/vdx/" + Name;
}

inline void WriteBytes(const std::string& Path, const std::string& Text) {
  std::ofstream(Path, std::ios::binary) << Text;
}

// The module of golden_sample.vdx: one command of each kind, plus a type 5 command and a
// process value in the parameter list (both written as empty "CCmd") and a maker-only one.
inline void BuildSampleModule(TModCommandSet& S) {
  auto Ctrl = [](TModCtrlCommand* C, const char* Name, uint8_t AType, uint8_t VType, uint16_t GCode,
                 int32_t Min, int32_t Max, const char* Help) {
    C->Name = Name;
    C->AType = AType;
    C->VType = VType;
    C->GCode = GCode;
    C->Min = Min;
    C->Max = Max;
    C->Help = Help;
  };
  auto Mode = std::make_unique<TModTextParaCmd>();
  Ctrl(Mode.get(), "MODE", 3, 1, 5, 0, 0, "Parameter menu");
  Mode->VList = {"STANDARD", "EXPERT"};
  Mode->Txt = "EXPERT";
  S.CmdList.Add(std::move(Mode));

  auto Ramp = std::make_unique<TModNumParaCmd>();
  Ctrl(Ramp.get(), "RA", 3, 21, DefaultReadoutGCode, -100, 5000, "Ramp \"up\" <&> time");
  Ramp->Val = -42;
  S.CmdList.Add(std::move(Ramp));

  auto Curve = std::make_unique<TModCCParaCmd>();
  Ctrl(Curve.get(), "CC", 3, 1, 24, -10000, 10000, "Kennlinie \xC4");
  for (int I = -10; I <= 10; ++I) Curve->SetPoint(I, {I * 1000, -I * 500});
  S.CmdList.Add(std::move(Curve));

  auto Ain = std::make_unique<TModAinParaCmd>();
  Ctrl(Ain.get(), "AIN:W", 3, 1, 36, -10000, 10000, "Setpoint input");
  Ain->A = 1000;
  Ain->B = -50;
  Ain->X = 1;
  S.CmdList.Add(std::move(Ain));

  auto Plain = [&](uint8_t Type, const char* Name, uint8_t AType, uint16_t GCode,
                   const char* Help) {
    auto C = std::make_unique<TModCtrlCommand>(Type);
    Ctrl(C.get(), Name, AType, 1, GCode, 0, 0, Help);
    return C;
  };
  S.CmdList.Add(Plain(ctInPara, "RESET", 1, 36, "Reset the error memory"));
  S.CmdList.Add(Plain(ctNoPara, "SAVE", 1, 6, "Save parameters"));
  S.CmdList.Add(Plain(ctAinSPara, "AINCAL", 1, 64, "Calibrate"));
  auto Learn = Plain(ctLPara, "LEARN", 3, 132, "Learn");
  Learn->VList = {"A", "", "B"};
  S.CmdList.Add(std::move(Learn));

  auto Proc = [] {
    auto P = std::make_unique<TModProcCommand>();
    P->Name = "W";
    P->PhysUnit = "%";
    P->GCode = 4;
    P->CompFactor = 100;
    P->Help = "Setpoint";
    return P;
  };
  S.CmdList.Add(Proc());  // not a parameter command

  auto Secret = std::make_unique<TModNumParaCmd>();
  Ctrl(Secret.get(), "SECRET", 3, 1, 68, 0, 99, "Maker only");
  Secret->Val = 7;
  S.CmdList.Add(std::move(Secret));

  S.ProcessData.Add(Proc());

  auto Bit = [](const char* Name, uint8_t Index, bool Invers, uint8_t Color, const char* Hint) {
    auto B = std::make_unique<TModStatusBitCommand>();
    B->Name = Name;
    B->GCode = DefaultReadoutGCode;
    B->BIndex = Index;
    B->BActive = true;
    B->BInvers = Invers;
    B->BColor = Color;
    B->BitHint = Hint;
    return B;
  };
  S.StatusInfo.Add(Bit("ST:READY", 0, false, 2, "Module ready"));
  S.StatusInfo.Add(Bit("ST:ERROR", 15, true, 1, "Error"));

  auto Remote = std::make_unique<TModRemoteCtrlCmd>();
  Remote->Name = "RC:910";
  Remote->AType = 3;
  Remote->GCode = DefaultReadoutGCode;
  Remote->Help = "Remote setpoint PIN 9/10";
  S.RemoteCtrlList.Add(std::move(Remote));
}

// Every field the file stores for the command, on one line (curve points are left out).
inline std::string Describe(const TModBaseCommand* Cmd) {
  if (!Cmd) return "(none)";
  std::ostringstream S;
  S << Cmd->Name << " t" << int(Cmd->Type) << " a" << int(Cmd->AType) << " v" << int(Cmd->VType)
    << " g" << Cmd->GCode << " h'" << Cmd->Help << "'";
  if (auto* C = dynamic_cast<const TModCtrlCommand*>(Cmd))
    S << " " << C->Min << ".." << C->Max << " [" << JoinTexts(C->VList, "|") << "]";
  if (auto* T = dynamic_cast<const TModTextParaCmd*>(Cmd)) S << " txt'" << T->Txt << "'";
  if (auto* N = dynamic_cast<const TModNumParaCmd*>(Cmd)) S << " val" << N->Val;
  if (auto* A = dynamic_cast<const TModAinParaCmd*>(Cmd))
    S << " abcx" << A->A << "," << A->B << "," << A->C << "," << int(A->X);
  if (auto* P = dynamic_cast<const TModProcCommand*>(Cmd))
    S << " unit'" << P->PhysUnit << "' f" << P->CompFactor;
  if (auto* B = dynamic_cast<const TModStatusBitCommand*>(Cmd))
    S << " bit" << int(B->BIndex) << (B->BActive ? " on" : " off") << (B->BInvers ? " inv" : "")
      << " c" << int(B->BColor) << " hint'" << B->BitHint << "'";
  return S.str();
}

template <class L>
std::vector<std::string> DescribeAll(const L& List) {
  std::vector<std::string> R;
  for (int I = 0; I < List.Count(); ++I) R.push_back(Describe(List.Objects(I)));
  return R;
}

}  // namespace vdx::testing
