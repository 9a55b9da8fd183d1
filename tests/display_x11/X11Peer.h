// What the drag-and-drop tests need of the display beside the fixture: the
// project's drag-and-drop peer (tests/tools/xdnd_peer) started as another
// program on the same display, its output read line by line, and the first
// button held down or let go as a hand does (XTest).
#pragma once

#include <string>
#include <vector>

struct _XDisplay;

void HoldFirstButton(_XDisplay* x, bool down);

class TPeerProcess {
public:
  explicit TPeerProcess(const std::vector<std::string>& args);
  ~TPeerProcess();
  TPeerProcess(const TPeerProcess&) = delete;
  TPeerProcess& operator=(const TPeerProcess&) = delete;

  bool Started() const { return FPid > 0; }
  // The next line it printed, or "" when none came within the wait.
  std::string ReadLine(int timeoutMs = 20000);

private:
  int FPid = -1;
  int FOut = -1;
  std::string FBuffer;
};
