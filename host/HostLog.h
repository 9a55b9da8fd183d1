// The host's log lines and the text of a failure, whatever was thrown.
#pragma once

#include <exception>
#include <string>

#include "platform/base/Types.h"

// The source of the host's own log lines.
inline constexpr const char* HostLogSource = "corvane.exe";

// One line to the debug console (texts longer than 255 bytes are cut).
void HostLog(BYTE Level, const std::string& Text, const char* Source = HostLogSource);

// The text of the exception being handled: an Exception's message, a standard
// exception's what(), or a fixed text for anything else. Call inside a catch.
std::string CurrentFailureText();

// Runs Body; on any failure answers false with the failure's text in Failure.
// The host runs every call into another module and every step that must not
// stop the next one through here.
template <class F>
bool RunGuarded(F&& Body, std::string& Failure) noexcept
{
  try {
    Body();
    return true;
  } catch (...) {
    try {
      Failure = CurrentFailureText();
    } catch (...) {
    }
    return false;
  }
}
