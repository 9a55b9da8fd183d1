// Scope guards: a cleanup that runs when a scope is left, in place of a
// "catch (...) { cleanup; throw; }" beside the same cleanup on the way out.
//   ScopeExit  runs it however the scope is left;
//   OnFailure  runs it only when the scope is left by an exception (undoing
//              what is handed on when all goes well).
// A cleanup that raises on the normal way out raises from the scope; one that
// raises while an exception is already leaving is dropped, so the first
// exception goes on.
#pragma once

#include <exception>
#include <utility>

namespace scope_detail {

template <class F, bool OnlyOnFailure>
class TScopeGuard {
public:
  explicit TScopeGuard(F Action) : FAction(std::move(Action)) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  ~TScopeGuard() noexcept(false)
  {
    if (FDismissed)
      return;
    const bool failing = std::uncaught_exceptions() > FExceptions;
    if (!failing) {
      if (!OnlyOnFailure)
        FAction();
      return;
    }
    try {
      FAction();
    } catch (...) {
    }
  }

  // Leaves the cleanup undone.
  void Dismiss() { FDismissed = true; }

private:
  F FAction;
  int FExceptions = std::uncaught_exceptions();
  bool FDismissed = false;
};

}  // namespace scope_detail

template <class F>
class ScopeExit : public scope_detail::TScopeGuard<F, false> {
public:
  using scope_detail::TScopeGuard<F, false>::TScopeGuard;
};
template <class F>
ScopeExit(F) -> ScopeExit<F>;

template <class F>
class OnFailure : public scope_detail::TScopeGuard<F, true> {
public:
  using scope_detail::TScopeGuard<F, true>::TScopeGuard;
};
template <class F>
OnFailure(F) -> OnFailure<F>;
