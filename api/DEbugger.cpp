#include "api/DEbugger.h"

#include "platform/win/window/CrossProcess.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/WindowTree.h"

void DebugLog(const ShortString& Source, BYTE Level, const ShortString& Text)
{
  // Copied first: the callers' strings may live in what the console's answer changes.
  LogRecord record;
  record.Source = Source;
  record.Text = Text;
  record.Level = Level;
  // Most of the time no console runs: that answer is kept until a top-level
  // window of this or another process comes, goes or is renamed, instead of
  // looking through every window list for each line. A console found is
  // looked for again each time (sending costs far more than finding).
  thread_local TWindowListStamp noConsoleSince;
  const TWindowListStamp stamp = WindowListStamp();
  if (stamp.Known && stamp == noConsoleSince)
    return;
  HWND console = FindWindow(nullptr, "CDebug");
  if (!console) {
    noConsoleSince = stamp;
    return;
  }
  noConsoleSince = TWindowListStamp();
  COPYDATASTRUCT cds;
  cds.dwData = LogRecordTag;
  cds.cbData = sizeof record;
  cds.lpData = &record;
  DWORD_PTR result = 0;
  SendMessageTimeout(console, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                     CrossProcessTimeout(), &result);
}
