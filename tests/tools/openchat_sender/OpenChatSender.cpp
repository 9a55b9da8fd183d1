// openchat_sender NETWORK ADDRESS
//
// Asks the running host to open a chat window, as another program does:
// finds the window titled "Corvane 2.1" and sends it the open-chat record
// over WM_COPYDATA. Prints "sent <result>" (the host's answer, 1 when a
// window opened), or "no window" and exits with 1 when no host runs.
#include <cstdio>
#include <string>

#include "api/OpenChat.h"
#include "platform/base/Clock.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/window/window.h"

int main(int argc, char** argv)
{
  if (argc != 3) {
    std::fprintf(stderr, "usage: openchat_sender NETWORK ADDRESS\n");
    return 2;
  }
  THeadlessDisplay::Use();
  // The host may still be starting: it is looked for during a few seconds.
  HWND host = nullptr;
  for (int attempt = 0; attempt < 100 && !host; ++attempt) {
    host = FindWindow(nullptr, "Corvane 2.1");
    if (!host)
      Sleep(50);
  }
  if (!host) {
    std::printf("no window\n");
    return 1;
  }
  OpenChatRequest request;
  request.Network = ShortString(std::string(argv[1]));
  request.Address = ShortString(std::string(argv[2]));
  COPYDATASTRUCT data{OpenChatRequestTag, sizeof request, &request};
  const LRESULT result = SendMessage(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  std::printf("sent %ld\n", static_cast<long>(result));
  return 0;
}
