#include "controls/html/document/CellTag.h"

#include <array>
#include <mutex>
#include <set>

namespace {

// The names the builder gives cells and blocks: found without a lock.
constexpr std::array<const char*, 34> KnownCellTags = {
    "default", "body",       "p",       "div",   "li",   "ul",      "ol",         "dl",     "dir",
    "menu",    "hr",         "pre",     "table", "td",   "th",      "tablecaption", "caption", "h1",
    "h2",      "h3",         "h4",      "h5",    "h6",   "blockquote", "address",  "form",   "center",
    "dd",      "dt",         "span",    "tr",    "tbody", "thead",  "tfoot"};

}  // namespace

const char* TCellTag::Intern(std::string_view Name)
{
  for (const char* Known : KnownCellTags)
    if (Name == Known)
      return Known;
  // Another element name: the markup knows a fixed set of elements, so this
  // set stays as small as that one.
  static std::mutex Lock;
  static std::set<std::string, std::less<>> Others;
  const std::lock_guard<std::mutex> Guard(Lock);
  auto It = Others.find(Name);
  if (It == Others.end())
    It = Others.emplace(Name).first;
  return It->c_str();
}
