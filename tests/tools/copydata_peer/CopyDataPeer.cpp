// copydata_peer send TITLE COUNT
// copydata_peer stall TITLE COUNT
//
// A peer of the local copy-data channel, for tests. Finds the top-level
// window titled TITLE in another process, then:
// - send: sends it COUNT copy-data requests of 4 bytes (tag 7), each naming
//   a sender window of its own, and prints "answered N" (the requests whose
//   answer came back as 1);
// - stall: opens COUNT connections to the window's process and writes the
//   first bytes of a request on each, never the rest; prints "stalled" and
//   keeps them open until it is killed.
// Prints "no window" and exits with 1 when no such window answers.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/window/CrossProcess.h"
#include "platform/win/window/window.h"

namespace {

int OpenStalledConnection(const std::string& Path)
{
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (fd < 0 || Path.size() >= sizeof addr.sun_path)
    return -1;
  std::memcpy(addr.sun_path, Path.c_str(), Path.size() + 1);
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    return -1;
  }
  // The start of a request header, and nothing after it.
  const char begun[] = "CVCD\x01\0\0";
  if (send(fd, begun, sizeof begun - 1, MSG_NOSIGNAL) < 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 4) {
    std::fprintf(stderr, "usage: copydata_peer send|stall TITLE COUNT\n");
    return 2;
  }
  const std::string mode = argv[1];
  const int count = std::atoi(argv[3]);
  THeadlessDisplay::Use();
  // A loaded machine may be slow: the answers may take their time.
  SetCrossProcessTimeout(5000);
  HWND target = nullptr;
  for (int attempt = 0; attempt < 100 && !target; ++attempt) {
    target = FindWindow(nullptr, argv[2]);
    if (!target)
      Sleep(50);
  }
  if (!target) {
    std::printf("no window\n");
    return 1;
  }
  if (mode == "stall") {
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    const std::string path = CrossProcessFolder() + "/" + std::to_string(pid) + ".sock";
    std::vector<int> held;
    for (int i = 0; i < count; ++i)
      held.push_back(OpenStalledConnection(path));
    std::printf("stalled\n");
    std::fflush(stdout);
    for (;;)
      pause();
  }
  int answered = 0;
  const char bytes[4] = {'a', 'b', 'c', 'd'};
  for (int i = 0; i < count; ++i) {
    COPYDATASTRUCT data{7, sizeof bytes, const_cast<char*>(bytes)};
    // A sender handle the receiver has never seen.
    const auto sender = static_cast<WPARAM>(0x10000 + i);
    if (SendMessage(target, WM_COPYDATA, sender, reinterpret_cast<LPARAM>(&data)) == 1)
      ++answered;
  }
  std::printf("answered %d\n", answered);
  return 0;
}
