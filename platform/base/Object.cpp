#include "platform/base/Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <strings.h>
#include <unordered_map>

namespace {

std::string Demangle(const std::type_info& type)
{
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> full(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                    &std::free);
  std::string name = (status == 0 && full) ? full.get() : type.name();
  // Keep the last component of a qualified name, and drop template arguments.
  if (auto angle = name.find('<'); angle != std::string::npos)
    name.erase(angle);
  if (auto colons = name.rfind("::"); colons != std::string::npos)
    name.erase(0, colons + 2);
  return name;
}

}  // namespace

std::string TObject::ClassName() const
{
  static std::mutex lock;
  // Keyed by the type's mangled name, copied: a type_info belongs to the
  // module that defines the class, and modules are unloaded (and loaded
  // again elsewhere) while this cache lives on.
  static std::unordered_map<std::string, std::string> names;
  const std::string key = typeid(*this).name();
  std::lock_guard guard(lock);
  auto found = names.find(key);
  if (found == names.end())
    found = names.emplace(key, Demangle(typeid(*this))).first;
  return found->second;
}

bool TObject::ClassNameIs(const std::string& name) const
{
  return strcasecmp(ClassName().c_str(), name.c_str()) == 0;
}
