// TCellTag: the element a cell belongs to ("body", "li", "div", ...). The
// names come from the markup's fixed set of elements, so a cell keeps a
// pointer to one shared copy of its name instead of a string of its own:
// a conversation makes two cells per message.
#pragma once

#include <string>
#include <string_view>

class TCellTag {
public:
  TCellTag() = default;
  TCellTag(const char* Name) : FName(Intern(Name)) {}
  TCellTag(std::string_view Name) : FName(Intern(Name)) {}
  TCellTag(const std::string& Name) : FName(Intern(Name)) {}

  std::string_view Name() const { return FName; }
  const char* c_str() const { return FName; }
  friend bool operator==(const TCellTag& A, std::string_view B) { return A.Name() == B; }

private:
  // The one copy of Name, kept for the life of the process.
  static const char* Intern(std::string_view Name);
  const char* FName = "default";
};
