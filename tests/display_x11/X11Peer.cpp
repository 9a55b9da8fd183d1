#include "X11Peer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

TPeerProcess::TPeerProcess(const std::vector<std::string>& args)
{
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string program = n > 0 ? std::string(self, std::size_t(n)) : std::string();
  program = program.substr(0, program.rfind('/')) + "/xdnd_peer";
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0)
    return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  std::vector<std::string> all = args;
  std::vector<char*> argv{program.data()};
  for (auto& a : all)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
    FPid = pid;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  FOut = fds[0];
}

TPeerProcess::~TPeerProcess()
{
  if (FPid > 0) {
    kill(FPid, SIGKILL);
    waitpid(FPid, nullptr, 0);
  }
  if (FOut >= 0)
    close(FOut);
}

std::string TPeerProcess::ReadLine(int timeoutMs)
{
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    auto nl = FBuffer.find('\n');
    if (nl != std::string::npos) {
      std::string line = FBuffer.substr(0, nl);
      FBuffer.erase(0, nl + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    pollfd p{FOut, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, int(left)) <= 0)
      return "";
    char chunk[1024];
    ssize_t n = read(FOut, chunk, sizeof chunk);
    if (n <= 0)
      return "";
    FBuffer.append(chunk, std::size_t(n));
  }
}

void HoldFirstButton(_XDisplay* x, bool down)
{
  XTestFakeButtonEvent(x, 1, down ? True : False, 0);
  XSync(x, False);
}
