#include "controls/utility/tray/UtShellNotify.h"

namespace {

TUtShellNotifyProc& CurrentProc()
{
  static TUtShellNotifyProc proc = &Shell_NotifyIcon;
  return proc;
}

}  // namespace

BOOL UtShellNotify(DWORD Message, NOTIFYICONDATA* Data)
{
  return CurrentProc()(Message, Data);
}

TUtShellNotifyProc SetUtShellNotifyProc(TUtShellNotifyProc Proc)
{
  TUtShellNotifyProc previous = CurrentProc();
  CurrentProc() = Proc ? Proc : &Shell_NotifyIcon;
  return previous;
}
