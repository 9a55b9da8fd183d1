// Method pointers: an object and one of its member functions, the form every
// event of the system takes (OnClick, OnChange, ...). Two method pointers are
// equal when both the object and the function are, which is how the system
// compares handlers it installed.
#pragma once

#include <cstddef>
#include <cstring>
#include <utility>

class TObject;

template <class Signature>
class Method;

template <class R, class... Args>
class Method<R(Args...)> {
public:
  Method() = default;
  Method(std::nullptr_t) {}

  template <class T, class Owner>
  Method(T* object, R (Owner::*function)(Args...))
      : FData(object ? static_cast<void*>(static_cast<Owner*>(object)) : nullptr),
        FInvoke(object ? &InvokeMember<Owner, R (Owner::*)(Args...)> : nullptr)
  {
    static_assert(sizeof(function) <= sizeof(FCode), "member function pointer too large");
    if (object)
      std::memcpy(FCode, &function, sizeof(function));
  }

  // A plain function stands in for tests and for handlers without an object.
  Method(R (*function)(Args...)) : FInvoke(function ? &InvokeFree : nullptr)
  {
    if (function)
      std::memcpy(FCode, &function, sizeof(function));
  }

  explicit operator bool() const { return FInvoke != nullptr; }
  bool Assigned() const { return FInvoke != nullptr; }

  R operator()(Args... args) const { return FInvoke(*this, std::forward<Args>(args)...); }

  // The object the handler belongs to (null for a plain function).
  void* Data() const { return FData; }

  friend bool operator==(const Method& a, const Method& b)
  {
    return a.FData == b.FData && a.FInvoke == b.FInvoke && std::memcmp(a.FCode, b.FCode, sizeof(FCode)) == 0;
  }
  friend bool operator==(const Method& a, std::nullptr_t) { return !a.FInvoke; }

private:
  using Invoker = R (*)(const Method&, Args...);

  template <class Owner, class Pointer>
  static R InvokeMember(const Method& self, Args... args)
  {
    Pointer function;
    std::memcpy(&function, self.FCode, sizeof(function));
    return (static_cast<Owner*>(self.FData)->*function)(std::forward<Args>(args)...);
  }

  static R InvokeFree(const Method& self, Args... args)
  {
    R (*function)(Args...);
    std::memcpy(&function, self.FCode, sizeof(function));
    return function(std::forward<Args>(args)...);
  }

  void* FData = nullptr;
  Invoker FInvoke = nullptr;
  alignas(void*) unsigned char FCode[2 * sizeof(void*)] = {};
};

using TNotifyEvent = Method<void(TObject* Sender)>;
