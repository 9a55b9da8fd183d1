#include "platform/win/window/Sound.h"

#include "platform/base/LastError.h"

BOOL PlaySound(LPCSTR sound, HMODULE, DWORD flags)
{
  bool alias = (flags & SND_ALIAS) == SND_ALIAS, file = (flags & SND_FILENAME) == SND_FILENAME;
  if ((alias && file) || ((flags & SND_LOOP) && !(flags & SND_ASYNC))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Nothing is ever playing, so a request to stop has done its work.
  if (!sound || (flags & SND_PURGE))
    return TRUE;
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
