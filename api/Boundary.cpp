#include "api/Boundary.h"

#include "api/DEbugger.h"

void LogBoundaryFailure(const ShortString& Source, std::string_view Prefix, std::string_view Text) noexcept
{
  try {
    std::string line(Prefix);
    line += Text;
    DebugLog(Source, 1, ShortString(line));
  } catch (...) {
    // Nothing is left to tell anyone with: the log channel itself failed.
  }
}
