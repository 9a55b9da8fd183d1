// A helper program of tests/tools (built beside the test program) started as
// another process; what it prints is read line by line. Killed at the end.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

class TPeerProcess {
public:
  TPeerProcess(const std::string& Tool, std::vector<std::string> args)
  {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, std::size_t(n)) : std::string();
    dir = dir.substr(0, dir.rfind('/'));
    std::string program = dir + "/" + Tool;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
      return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    std::vector<char*> argv{program.data()};
    for (auto& a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&FPid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
      FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    FOut = fds[0];
  }
  ~TPeerProcess()
  {
    if (FPid > 0) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    if (FOut >= 0)
      close(FOut);
  }
  TPeerProcess(const TPeerProcess&) = delete;
  TPeerProcess& operator=(const TPeerProcess&) = delete;

  void Kill()
  {
    kill(FPid, SIGKILL);
    waitpid(FPid, nullptr, 0);
    FPid = -1;
  }
  // The next line it printed, or "" after the wait. Idle, when given, runs
  // between short waits (a test that must keep its windows answering).
  template <class F = void (*)()>
  std::string ReadLine(int timeoutMs = 5000, F Idle = [] {})
  {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      auto nl = FBuffer.find('\n');
      if (nl != std::string::npos) {
        std::string line = FBuffer.substr(0, nl);
        FBuffer.erase(0, nl + 1);
        return line;
      }
      if (std::chrono::steady_clock::now() >= deadline)
        return "";
      Idle();
      pollfd p{FOut, POLLIN, 0};
      int r = poll(&p, 1, 1);
      if (r < 0)
        return "";
      if (r == 0)
        continue;
      char chunk[1024];
      ssize_t n = read(FOut, chunk, sizeof chunk);
      if (n <= 0)
        return "";
      FBuffer.append(chunk, std::size_t(n));
    }
  }

private:
  pid_t FPid = -1;
  int FOut = -1;
  std::string FBuffer;
};
