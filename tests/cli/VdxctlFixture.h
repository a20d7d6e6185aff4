// vdxctl as a user runs it: the real executable against a virtual module on a pseudo-terminal.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestPaths.h"
#include "TestScopes.h"
#include "sim/ModuleSim.h"

namespace vdx::testing {

struct TRun {
  int Exit = -1;
  std::string Out, Err;
};

class VdxctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = std::filesystem::temp_directory_path() /
           ("vdxctl-test-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }

  // Starts a virtual module; its path is the --port of Run.
  sim::TModuleSim& Module(sim::TSimOptions Options = {}) {
    FModule = AnotherModule(Options);
    return *FModule;
  }
  // A further module beside the one of Module(), reached with At9600(Other).
  static std::unique_ptr<sim::TModuleSim> AnotherModule(sim::TSimOptions Options = {}) {
    auto M = std::make_unique<sim::TModuleSim>(Options);
    std::string Error;
    EXPECT_TRUE(M->Start(Error)) << Error;
    return M;
  }

  // Standard input is no terminal, as in a script; Input is fed to it.
  TRun Run(const std::string& Args, const std::string& Input = "") {
    std::ofstream(FDir / "in", std::ios::binary) << Input;
    const std::string Cmd = BinDir() + "/vdxctl " + Args + " <" + (FDir / "in").string() + " >" +
                            (FDir / "out").string() + " 2>" + (FDir / "err").string();
    TRun R;
    const int Status = std::system(Cmd.c_str());
    R.Exit = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    R.Out = testing::FileText(FDir / "out");
    R.Err = testing::FileText(FDir / "err");
    return R;
  }

  std::string Port() const { return " --port " + FModule->SlavePath() + " "; }
  // The module at a fixed rate, so no time goes into detecting it.
  std::string At9600() const { return At9600(*FModule); }
  static std::string At9600(const sim::TModuleSim& M) {
    return " --baud 9600 --port " + M.SlavePath() + " ";
  }

  // The command lines the module heard that carried a value (a blank after the command word):
  // reads and bare commands have none.
  std::vector<std::string> ReceivedWrites() const {
    std::vector<std::string> Writes;
    for (const auto& Line : FModule->ReceivedCommands())
      if (Line.find(' ') != std::string::npos) Writes.push_back(Line);
    return Writes;
  }

  std::filesystem::path FDir;
  std::unique_ptr<sim::TModuleSim> FModule;
};

}  // namespace vdx::testing
