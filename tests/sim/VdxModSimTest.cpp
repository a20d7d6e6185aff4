// The vdxmodsim executable: its options, --dump-rdd, and serving until SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/ModuleSim.h"
#include "sim/SimClient.h"
#include "TestPaths.h"

namespace vdx::sim {
namespace {

struct TChild {
  pid_t Pid = -1;
  int Out = -1;  // the child's stdout
};

TChild Spawn(std::vector<std::string> Args) {
  const std::string Exe = vdx::testing::BinDir() + "/vdxmodsim";
  int Pipe[2];
  if (pipe(Pipe) != 0) return {};
  const pid_t Pid = fork();
  if (Pid == 0) {
    dup2(Pipe[1], 1);
    close(Pipe[0]);
    close(Pipe[1]);
    std::vector<char*> Argv{const_cast<char*>(Exe.c_str())};
    for (auto& A : Args) Argv.push_back(A.data());
    Argv.push_back(nullptr);
    execv(Exe.c_str(), Argv.data());
    _exit(127);
  }
  close(Pipe[1]);
  return {Pid, Pipe[0]};
}

std::string ReadAll(int Fd) {
  std::string Text;
  char Buffer[512];
  for (ssize_t N; (N = read(Fd, Buffer, sizeof Buffer)) > 0;) Text.append(Buffer, N);
  return Text;
}

std::string ReadLine(int Fd) {
  std::string Line;
  for (char C; read(Fd, &C, 1) == 1 && C != '\n';) Line += C;
  return Line;
}

int ExitCode(pid_t Pid) {
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

TEST(VdxModSim, BadOptionsExitWithUsageError) {
  const std::vector<std::vector<std::string>> Cases = {
      {"--baud", "12345"}, {"--baud"}, {"--bogus"}, {"--type", "/nonexistent/X.rdd"}, {"--nv"},
      {"--nv-file", "x"}};
  for (const auto& Args : Cases) {
    const TChild Child = Spawn(Args);
    ReadAll(Child.Out);
    close(Child.Out);
    EXPECT_EQ(ExitCode(Child.Pid), 2) << Args[0];
  }
}

TEST(VdxModSim, DumpRddPrintsTheReadoutLines) {
  const TChild Child = Spawn({"--type", "noreadout", "--dump-rdd"});
  const std::string Out = ReadAll(Child.Out);
  close(Child.Out);
  EXPECT_EQ(ExitCode(Child.Pid), 0);
  std::string Expected;
  for (const auto& Line : TModuleSim(test::Options([&](TSimOptions& O) {
                            O.ModuleType = "noreadout";
                          })).ReadoutLines())
    Expected += Line + "\r\n";
  EXPECT_EQ(Out, Expected);
}

TEST(VdxModSim, PrintsTheLineFirstAndServesUntilTerminated) {
  const TChild Child = Spawn({"--cmd-prompt", "--baud", "38400"});
  const std::string Path = ReadLine(Child.Out);
  ASSERT_EQ(Path.rfind("/dev/pts/", 0), 0u) << Path;
  {
    test::TSimClient Client(Path, 38400);
    EXPECT_EQ(Client.Exchange("ACODE", "CMD>"), "ACODE\r\n60\r\nCMD>");
  }
  kill(Child.Pid, SIGTERM);
  EXPECT_EQ(ExitCode(Child.Pid), 0);
  close(Child.Out);
}

TEST(VdxModSim, NvFileKeepsSavedValuesAcrossRestarts) {
  const auto Folder =
      std::filesystem::temp_directory_path() / ("vdxmodsim-nv-" + std::to_string(getpid()));
  std::filesystem::create_directories(Folder);
  const std::string NvFile = (Folder / "module.nv").string();
  auto Run = [&](const std::vector<std::string>& Commands) {
    const TChild Child = Spawn({"--nv", NvFile});
    std::vector<std::string> Replies;
    {
      test::TSimClient Client(ReadLine(Child.Out));
      for (const auto& Command : Commands) Replies.push_back(Client.Exchange(Command));
    }
    kill(Child.Pid, SIGTERM);
    EXPECT_EQ(ExitCode(Child.Pid), 0);
    close(Child.Out);
    return Replies;
  };
  Run({"RA 321", "SAVE ", "RA 999"});
  EXPECT_EQ(Run({"RA"}), std::vector<std::string>{"RA\r\n321\r\n>"});
  std::filesystem::remove_all(Folder);
}

}  // namespace
}  // namespace vdx::sim
