// The exception classes of the utility library.
#pragma once

#include <string>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"

// The base of the component library's own errors.
CORVANE_DECLARE_EXCEPTION(EUtException, Exception);
// Failures of the settings stores.
CORVANE_DECLARE_EXCEPTION(EAppStorageError, EUtException);

// The base of the run-time helper units' errors.
class ERtError : public Exception {
public:
  using Exception::Exception;
  // The error of class E with the message formatted from a resource text and
  // its arguments.
  template <class E = ERtError, class... A>
  static E CreateFromResource(const char* resString, const A&... args)
  {
    return E(Format(resString, args...));
  }
};

// Failures of the type-information units.
CORVANE_DECLARE_EXCEPTION(ERtRTTI, ERtError);
