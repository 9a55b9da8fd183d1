#include "host/HostLog.h"

#include "api/DEbugger.h"
#include "platform/base/Exception.h"

void HostLog(BYTE Level, const std::string& Text, const char* Source)
{
  DebugLog(ShortString(Source), Level, ShortString(Text));
}

std::string CurrentFailureText()
{
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Exception inconnue";
  }
}
