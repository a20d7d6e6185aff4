#include "app/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vdx {

namespace {

// A name beside the target that no other writer in this or another process uses.
std::string TemporaryName(const std::string& Path) {
  static std::atomic<unsigned> Counter{0};
  return Path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(Counter++);
}

}  // namespace

bool WriteFileAtomically(const std::string& Path, const std::string& Text, std::string& Error) {
  const std::string Temp = TemporaryName(Path);
  // Created like any new file (0666 less the umask), so the result has the usual permissions.
  const int Fd = open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  bool Ok = Fd >= 0;
  for (size_t Done = 0; Ok && Done < Text.size();) {
    const ssize_t N = write(Fd, Text.data() + Done, Text.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    Ok = N > 0;
    if (Ok) Done += static_cast<size_t>(N);
  }
  Ok = Ok && fsync(Fd) == 0;
  if (Fd >= 0) Ok = close(Fd) == 0 && Ok;
  Ok = Ok && std::rename(Temp.c_str(), Path.c_str()) == 0;
  if (!Ok) {
    Error = "cannot write " + Path + ": " + std::strerror(errno ? errno : EIO);
    if (Fd >= 0) unlink(Temp.c_str());
  }
  return Ok;
}

}  // namespace vdx
