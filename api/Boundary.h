// No exception leaves a module: every exported function and every interface
// method that a module implements runs its body through CatchAtBoundary,
// which logs a failure at level 1 (the prefix followed by the failure's text)
// and answers the fallback instead.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "platform/base/Exception.h"
#include "platform/base/ShortString.h"

// Logs "Prefix + Text" at level 1 under Source; never fails.
void LogBoundaryFailure(const ShortString& Source, std::string_view Prefix, std::string_view Text) noexcept;

template <class R, class F>
R CatchAtBoundary(const ShortString& Source, std::string_view Prefix, R Fallback, F&& Body) noexcept
{
  try {
    return Body();
  } catch (const Exception& e) {
    LogBoundaryFailure(Source, Prefix, e.Message());
  } catch (const std::exception& e) {
    LogBoundaryFailure(Source, Prefix, e.what());
  } catch (...) {
    LogBoundaryFailure(Source, Prefix, "Exception inconnue");
  }
  return Fallback;
}

template <class F>
void CatchAtBoundary(const ShortString& Source, std::string_view Prefix, F&& Body) noexcept
{
  CatchAtBoundary(Source, Prefix, 0, [&] {
    Body();
    return 0;
  });
}
