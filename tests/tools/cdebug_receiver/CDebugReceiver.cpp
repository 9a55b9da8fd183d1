// cdebug_receiver [--hang] [--title T]
//
// Opens a top-level window titled "CDebug" (or T) on the headless display,
// prints "ready" once it can be found, then one line per log record it
// receives: source, a tab, the level, a tab, the text. With --hang it never
// handles a message, as a console that froze.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "api/DEbugger.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/window/window.h"

namespace {

LRESULT ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_COPYDATA) {
    auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (cds && cds->dwData == LogRecordTag && cds->cbData == sizeof(LogRecord)) {
      LogRecord record;
      std::memcpy(&record, cds->lpData, sizeof record);
      std::printf("%s\t%u\t%s\n", record.Source.str().c_str(), unsigned(record.Level), record.Text.str().c_str());
    } else {
      std::printf("unexpected\t%lu\t%u\n", static_cast<unsigned long>(cds ? cds->dwData : 0),
                  unsigned(cds ? cds->cbData : 0));
    }
    std::fflush(stdout);
    return 1;
  }
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
  bool hang = false;
  std::string title = "CDebug";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hang") == 0)
      hang = true;
    else if (std::strcmp(argv[i], "--title") == 0 && i + 1 < argc)
      title = argv[++i];
  }
  THeadlessDisplay::Use();
  WNDCLASS wc;
  wc.lpfnWndProc = ReceiverProc;
  wc.lpszClassName = "TCDebugReceiver";
  RegisterClass(&wc);
  HWND hwnd = CreateWindowEx(0, "TCDebugReceiver", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                             nullptr, nullptr, nullptr);
  if (!hwnd)
    return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  if (hang) {
    for (;;)
      pause();
  }
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return 0;
}
