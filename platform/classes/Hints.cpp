#include "platform/classes/Hints.h"

std::string GetShortHint(const std::string& Hint)
{
  std::size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint)
{
  std::size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}
