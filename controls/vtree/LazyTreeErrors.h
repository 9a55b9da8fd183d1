// The tree's data errors (ELazyTreeError with a help context) and its
// programming errors (assertion failures naming "LazyTrees" and a line).
#pragma once

#include <string>

#include "platform/base/Exception.h"

class ELazyTreeError : public Exception {
public:
  using Exception::Exception;
};

constexpr int hcTFEditLinkIsNil = 2000, hcTFWrongMoveError = 2001, hcTFWrongStreamFormat = 2002,
              hcTFWrongStreamVersion = 2003, hcTFStreamTooSmall = 2004, hcTFCorruptStream1 = 2005,
              hcTFCorruptStream2 = 2006, hcTFClipboardFailed = 2007;

[[noreturn]] void RaiseTreeError(const std::string& Message, int HelpContext);
// The message that goes with a help context above.
const char* TreeErrorMessage(int HelpContext);
[[noreturn]] void RaiseTreeError(int HelpContext);

[[noreturn]] void LazyTreeAssertFailed(const char* Message, int Line);
#define LT_ASSERT(condition, message)          \
  do {                                         \
    if (!(condition))                          \
      LazyTreeAssertFailed(message, __LINE__); \
  } while (false)
