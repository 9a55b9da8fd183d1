// What the HTML viewer's fuzz target bodies share: the check that turns a
// broken expectation into std::logic_error, and include comments answered
// from the fuzzed text itself.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/base/Object.h"
#include "platform/base/StringList.h"

inline void FuzzCheck(bool Condition, const char* What)
{
  if (!Condition)
    throw std::logic_error(What);
}

// Answers the first MaxCalls include comments with a piece of Source chosen
// by the command, its parameters and Seed; nesting and volume are left to the
// reader's own caps, the call count only keeps each run short.
class TFuzzIncluder : public TObject {
public:
  explicit TFuzzIncluder(int AMaxCalls) : MaxCalls(AMaxCalls) {}
  std::string Source;
  unsigned Seed = 0;
  int Calls = 0;
  void Include(TObject*, const std::string& Command, TStringList* Params, std::string& IString)
  {
    if (Source.empty() || ++Calls > MaxCalls)
      return;
    const std::size_t From = (Command.size() * 7 + std::size_t(Params->Count()) * 13 + Seed) % Source.size();
    IString = Source.substr(From, 16 + Seed % 96);
  }

private:
  int MaxCalls;
};
