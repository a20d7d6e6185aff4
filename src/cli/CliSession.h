// One vdxctl run's link to the module: port selection, line settings, connect, identify, with
// every failure told to the user in words.
#pragma once

#include <memory>
#include <string>

#include "cli/CliOptions.h"
#include "cli/WireTrace.h"
#include "comm/ModCommProt.h"

namespace vdx::sim {
class TModuleSim;
}

namespace vdx::cli {

// Prints "vdxctl: Text" on standard error.
void PrintError(const std::string& Text);

class TCliSession : private IParameterView {
 public:
  explicit TCliSession(const TCliOptions& Options);
  ~TCliSession() override;

  // Opens the port and finds the module; prints the reason and returns the exit code on failure.
  int Connect();
  // Connect, then identify the module (with the ".rdd" fallback).
  int Identify();
  // Identifies the module on the link Connect opened.
  int IdentifyConnected();

  TVDXModCommProt& Prot() { return FProt; }
  // The access code the module gave at identification (0xFFFF when it gave none).
  uint16_t AccessCode() const { return FAccessCode; }

 private:
  bool LoadCommandList(TModCommandList* List, uint16_t AccessCode) override;
  void RefreshValues() override {}
  void ReadoutError(const std::string& ModID, std::vector<std::string>& ExtCmdList);
  std::string RddFolder() const;

  const TCliOptions& FOptions;
  std::unique_ptr<sim::TModuleSim> FDemo;
  TWireTrace FTrace{stderr};
  TVDXModCommProt FProt;
  uint16_t FAccessCode = 0;
  std::string FReadoutProblem;
};

}  // namespace vdx::cli
