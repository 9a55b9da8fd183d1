// The exception classes of the run-time library. Failures are thrown as these
// and caught where the system catches them; every message is French.
#pragma once

#include <exception>
#include <string>

#include "platform/base/Object.h"

class Exception : public TObject, public std::exception {
public:
  explicit Exception(std::string message = {}, int helpContext = 0)
      : FMessage(std::move(message)), FHelpContext(helpContext) {}

  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int context) { FHelpContext = context; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
  int FHelpContext = 0;
};

#define CORVANE_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {                  \
  public:                                     \
    using Base::Base;                         \
  }

// Raised by Abort: a silent exception that handlers let pass without a dialog.
CORVANE_DECLARE_EXCEPTION(EAbort, Exception);
CORVANE_DECLARE_EXCEPTION(EOutOfMemory, Exception);
CORVANE_DECLARE_EXCEPTION(EIntError, Exception);
CORVANE_DECLARE_EXCEPTION(EDivByZero, EIntError);
CORVANE_DECLARE_EXCEPTION(ERangeError, EIntError);
CORVANE_DECLARE_EXCEPTION(EIntOverflow, EIntError);
CORVANE_DECLARE_EXCEPTION(EMathError, Exception);
CORVANE_DECLARE_EXCEPTION(EInvalidOp, EMathError);
CORVANE_DECLARE_EXCEPTION(EZeroDivide, EMathError);
CORVANE_DECLARE_EXCEPTION(EOverflow, EMathError);
CORVANE_DECLARE_EXCEPTION(EUnderflow, EMathError);
CORVANE_DECLARE_EXCEPTION(EInvalidPointer, Exception);
CORVANE_DECLARE_EXCEPTION(EInvalidCast, Exception);
CORVANE_DECLARE_EXCEPTION(EConvertError, Exception);
CORVANE_DECLARE_EXCEPTION(EVariantError, Exception);
CORVANE_DECLARE_EXCEPTION(EAssertionFailed, Exception);
CORVANE_DECLARE_EXCEPTION(EListError, Exception);
CORVANE_DECLARE_EXCEPTION(EStringListError, Exception);
CORVANE_DECLARE_EXCEPTION(EInvalidOperation, Exception);
CORVANE_DECLARE_EXCEPTION(EStreamError, Exception);
CORVANE_DECLARE_EXCEPTION(EFCreateError, EStreamError);
CORVANE_DECLARE_EXCEPTION(EFOpenError, EStreamError);
CORVANE_DECLARE_EXCEPTION(EFilerError, EStreamError);
CORVANE_DECLARE_EXCEPTION(EReadError, EFilerError);
CORVANE_DECLARE_EXCEPTION(EWriteError, EFilerError);
CORVANE_DECLARE_EXCEPTION(EThread, Exception);
CORVANE_DECLARE_EXCEPTION(ERegistryException, Exception);
CORVANE_DECLARE_EXCEPTION(EOutOfResources, Exception);

// A failed input or output operation, with the system error code.
class EInOutError : public Exception {
public:
  EInOutError(std::string message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode = 0;
};

// A failed call of the operating system, with its error code.
class EOSError : public Exception {
public:
  EOSError(std::string message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode = 0;
};

// Throws EAbort.
[[noreturn]] void Abort();
