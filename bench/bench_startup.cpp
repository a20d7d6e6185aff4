// Start-up of the desktop tool: time from process start to the first painted main window, and
// the resident memory after identifying the rich virtual module. The tool is run as a user would
// start it, on the offscreen platform, with "--screenshot": it grabs (paints) its window once the
// event loop runs and quits, so the time is an upper bound that includes saving the picture.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "app/ExecutableDir.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
  bool Ok = false;
  double Seconds = 0;
  long MaxRssKb = 0;
};

// The tool's own diagnostics go to ErrLog, shown only when a run fails.
TRun RunTool(const std::vector<std::string>& Args, const std::string& ErrLog) {
  const std::string Tool = vdx::ExecutableDir() + "/vdxtool";
  const auto Start = std::chrono::steady_clock::now();
  const pid_t Pid = fork();
  if (Pid == 0) {
    if (!freopen(ErrLog.c_str(), "w", stderr)) _exit(126);
    std::vector<char*> Argv{const_cast<char*>(Tool.c_str())};
    for (const auto& A : Args) Argv.push_back(const_cast<char*>(A.c_str()));
    Argv.push_back(nullptr);
    execv(Tool.c_str(), Argv.data());
    _exit(127);
  }
  int Status = 0;
  rusage Usage{};
  TRun R;
  if (Pid < 0 || wait4(Pid, &Status, 0, &Usage) != Pid) return R;
  R.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  R.Ok = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
  R.MaxRssKb = Usage.ru_maxrss;
  return R;
}

}  // namespace

int main() {
  const fs::path Dir = fs::temp_directory_path() / ("vdx-startup-" + std::to_string(getpid()));
  fs::create_directories(Dir);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("XDG_CONFIG_HOME", Dir.c_str(), 1);
  fs::create_directories(Dir / "runtime");
  fs::permissions(Dir / "runtime", fs::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", (Dir / "runtime").c_str(), 1);
  const std::string Shot = (Dir / "shot.png").string();
  const std::string ErrLog = (Dir / "stderr.txt").string();
  auto Fail = [&](const char* What) {
    std::fprintf(stderr, "%s; its messages:\n", What);
    std::system(("cat '" + ErrLog + "' >&2").c_str());
    fs::remove_all(Dir);
    return 1;
  };

  std::vector<double> Times;
  for (int I = 0; I < 5; ++I) {
    const TRun R = RunTool({"--screenshot", Shot}, ErrLog);
    if (!R.Ok) return Fail("vdxtool did not start");
    Times.push_back(R.Seconds);
  }
  std::sort(Times.begin(), Times.end());
  const TRun Demo = RunTool({"--demo", "--screenshot", Shot}, ErrLog);
  if (!Demo.Ok) return Fail("vdxtool --demo did not identify the virtual module");
  fs::remove_all(Dir);
  std::printf("Desktop tool start-up (offscreen)\n"
              "  process start to first painted window: median %.3f s of 5, best %.3f s"
              " (target < 0.5 s)\n"
              "  peak resident memory after identifying the rich module: %.1f MB"
              " (target < 80 MB)\n",
              Times[Times.size() / 2], Times.front(), Demo.MaxRssKb / 1024.0);
  vdx::bench::ReportFigure("start-up to first painted window, median (s)", "< 0.5",
                           Times[Times.size() / 2]);
  vdx::bench::ReportFigure("peak resident memory after identification (MB)", "< 80",
                           Demo.MaxRssKb / 1024.0, 1);
  return 0;
}
