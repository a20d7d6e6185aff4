// Command list file: the rich virtual module's lists saved as 50 modules into one file, then
// each module loaded and its values applied. Prints the time per module for each step, the
// file size and the peak memory.
#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "BenchStats.h"
#include "comm/ModCommandLists.h"
#include "comm/ReadoutLine.h"
#include "params/VdxCmdDom.h"
#include "sim/ModuleTypes.h"

using namespace vdx;

namespace {

constexpr int Modules = 50;

std::string ModuleId(int I) { return "KV20DEMO, V2.14, SN" + std::to_string(4711 + I) + ", 2026"; }

// The module's readout, with a value in every parameter.
void BuildLists(TModCommandSet& Set) {
  for (const auto& Line : sim::RichModuleType().Lines) Set.Place(ParseReadoutLine(Line));
  for (int I = 0; I < Set.CmdList.Count(); ++I) {
    auto* Cmd = Set.CmdList.Objects(I);
    if (auto* Text = dynamic_cast<TModTextParaCmd*>(Cmd)) {
      if (!Text->VList.empty()) Text->SetText(Text->VList.back());
    } else if (auto* Num = dynamic_cast<TModNumParaCmd*>(Cmd)) {
      Num->Val = Num->Max - I;
    } else if (auto* Curve = dynamic_cast<TModCCParaCmd*>(Cmd)) {
      for (int P = -10; P <= 10; ++P) Curve->SetPoint(P, {P * 1000, P * 950 + I});
    } else if (auto* Ain = dynamic_cast<TModAinParaCmd*>(Cmd)) {
      Ain->A = 1250;
      Ain->B = 1000;
      Ain->C = -2000 + I;
      Ain->X = 1;
    }
  }
}

// Runs Step for every module; false when one fails. Prints the mean time per module.
bool Measure(const char* What, const std::function<bool(int)>& Step) {
  const auto Start = std::chrono::steady_clock::now();
  for (int I = 0; I < Modules; ++I)
    if (!Step(I)) {
      std::fprintf(stderr, "%s of module %d failed\n", What, I);
      return false;
    }
  const std::chrono::duration<double, std::milli> Took = std::chrono::steady_clock::now() - Start;
  std::printf("%-6s %8.3f ms per module (%d modules, %.1f ms)\n", What, Took.count() / Modules,
              Modules, Took.count());
  bench::ReportFigure(std::string("command list file of 50 modules: ") + What + " per module (ms)",
                      "-", Took.count() / Modules);
  return true;
}

}  // namespace

int main() {
  std::string Folder = (std::filesystem::temp_directory_path() / "vdxbench-XXXXXX").string();
  if (!mkdtemp(Folder.data())) return 1;
  const std::string File = Folder + "/bench.vdx";

  TModCommandSet Set;
  BuildLists(Set);
  TVDXCmdDOM Dom(&Set.CmdList, &Set.ProcessData, &Set.StatusInfo, &Set.RemoteCtrlList);
  std::printf("module: %d parameters, %d process values, %d status bits, %d remote inputs\n",
              Set.CmdList.Count(), Set.ProcessData.Count(), Set.StatusInfo.Count(),
              Set.RemoteCtrlList.Count());

  std::vector<std::string> Errors;
  const bool Ok =
      Measure("save", [&](int I) { return Dom.SaveModule(File, ModuleId(I)); }) &&
      Measure("load",
              [&](int I) {
                TModCommandSet Loaded;
                TVDXCmdDOM Reader(&Loaded.CmdList, &Loaded.ProcessData, &Loaded.StatusInfo,
                                  &Loaded.RemoteCtrlList);
                return Reader.LoadModule(File, ModuleId(I)) && Loaded.CmdList.Count() > 0;
              }) &&
      Measure("apply", [&](int I) {
        return Dom.ApplyModuleValues(File, ModuleId(I), &Errors) && Errors.empty();
      });
  if (!Ok) std::fprintf(stderr, "%s\n", Dom.LastError().c_str());

  std::error_code Ec;
  std::printf("file   %ju bytes (%d modules)\n", std::filesystem::file_size(File, Ec), Modules);
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  std::printf("peak   %ld KiB resident\n", Usage.ru_maxrss);
  bench::ReportFigure("command list file of 50 modules: peak resident memory (MB)", "-",
                      static_cast<double>(Usage.ru_maxrss) / 1024.0, 1);
  std::filesystem::remove_all(Folder, Ec);
  return Ok ? 0 : 1;
}
