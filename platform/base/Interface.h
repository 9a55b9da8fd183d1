// Interfaces of the object model: abstract classes whose first three slots are
// the reference-counting ones, objects that implement them with a counted
// lifetime, and an intrusive holder.
#pragma once

#include <atomic>
#include <cstring>
#include <string>
#include <utility>

#include "platform/base/HexDigit.h"
#include "platform/base/Object.h"
#include "platform/base/Types.h"

struct GUID {
  DWORD D1 = 0;
  WORD D2 = 0;
  WORD D3 = 0;
  BYTE D4[8] = {};

  friend constexpr bool operator==(const GUID& a, const GUID& b)
  {
    if (a.D1 != b.D1 || a.D2 != b.D2 || a.D3 != b.D3)
      return false;
    for (int i = 0; i < 8; ++i)
      if (a.D4[i] != b.D4[i])
        return false;
    return true;
  }
};
using TGUID = GUID;
using IID = GUID;
using CLSID = GUID;
using REFIID = const GUID&;

namespace guid_detail {
constexpr std::uint64_t Hex(const char* s, int digits)
{
  std::uint64_t v = 0;
  for (int i = 0; i < digits; ++i) {
    int d = HexDigitValue(s[i]);
    if (d < 0)
      throw "GUID: bad hexadecimal digit";  // only reachable at compile time
    v = v * 16 + std::uint64_t(d);
  }
  return v;
}
}  // namespace guid_detail

// A GUID from its text "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", at compile time.
constexpr GUID MakeGUID(const char (&t)[39])
{
  using guid_detail::Hex;
  GUID g;
  g.D1 = DWORD(Hex(t + 1, 8));
  g.D2 = WORD(Hex(t + 10, 4));
  g.D3 = WORD(Hex(t + 15, 4));
  g.D4[0] = BYTE(Hex(t + 20, 2));
  g.D4[1] = BYTE(Hex(t + 22, 2));
  for (int i = 0; i < 6; ++i)
    g.D4[2 + i] = BYTE(Hex(t + 25 + 2 * i, 2));
  return g;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::string GUIDToString(const GUID& g);
// Reads the text form; false when it is not one.
bool StringToGUID(const std::string& text, GUID& out);

// The base of every interface. Slots 0, 1 and 2 are these three; interfaces
// derived from it add their slots after them, in declaration order. The
// destructor is not virtual (it would take a slot): objects are freed by
// Release, never through an interface pointer.
struct IUnknown {
  static constexpr GUID IID = MakeGUID("{00000000-0000-0000-C000-000000000046}");
  virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IUnknown() = default;
};
using IInterface = IUnknown;

// An object implementing the listed interfaces (each with a static IID), freed
// when its reference count returns to zero. The count starts at zero: the
// first holder takes the first reference.
template <class First, class... Rest>
class TInterfacedObject : public TObject, public First, public Rest... {
public:
  HRESULT QueryInterface(const GUID& iid, void** object) override
  {
    if (!object)
      return E_POINTER;
    *object = nullptr;
    if (iid == IUnknown::IID)
      *object = static_cast<IUnknown*>(static_cast<First*>(this));
    else
      Find<First, Rest...>(iid, object);
    if (!*object)
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ULONG(++FRefCount); }
  ULONG Release() override
  {
    LONG count = --FRefCount;
    if (count == 0)
      delete static_cast<TObject*>(this);
    return ULONG(count);
  }
  LONG RefCount() const { return FRefCount.load(); }

protected:
  std::atomic<LONG> FRefCount{0};

private:
  template <class I, class... More>
  void Find(const GUID& iid, void** object)
  {
    if (iid == I::IID) {
      *object = static_cast<I*>(this);
      return;
    }
    if constexpr (sizeof...(More) > 0)
      Find<More...>(iid, object);
  }
};

// An intrusive holder of an interface reference: copying adds a reference,
// destruction releases one.
template <class T>
class InterfacePtr {
public:
  InterfacePtr() = default;
  InterfacePtr(std::nullptr_t) {}
  // Takes a new reference to the object.
  InterfacePtr(T* p) : FPtr(p)
  {
    if (FPtr)
      FPtr->AddRef();
  }
  InterfacePtr(const InterfacePtr& o) : InterfacePtr(o.FPtr) {}
  InterfacePtr(InterfacePtr&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
  ~InterfacePtr() { Reset(); }

  InterfacePtr& operator=(const InterfacePtr& o)
  {
    InterfacePtr(o).Swap(*this);
    return *this;
  }
  InterfacePtr& operator=(InterfacePtr&& o) noexcept
  {
    InterfacePtr(std::move(o)).Swap(*this);
    return *this;
  }
  InterfacePtr& operator=(T* p)
  {
    InterfacePtr(p).Swap(*this);
    return *this;
  }

  // Takes over a reference that was already counted (an out-parameter filled
  // by an entry point).
  static InterfacePtr Adopt(T* p)
  {
    InterfacePtr r;
    r.FPtr = p;
    return r;
  }
  // Gives up the reference without releasing it.
  T* Detach() { return std::exchange(FPtr, nullptr); }
  void Reset()
  {
    if (T* p = std::exchange(FPtr, nullptr))
      p->Release();
  }
  void Swap(InterfacePtr& o) noexcept { std::swap(FPtr, o.FPtr); }

  T* Get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  T& operator*() const { return *FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  friend bool operator==(const InterfacePtr& a, const InterfacePtr& b) { return a.FPtr == b.FPtr; }
  friend bool operator==(const InterfacePtr& a, std::nullptr_t) { return a.FPtr == nullptr; }

private:
  T* FPtr = nullptr;
};

// Asks an object for another of its interfaces; a null holder when it has none.
template <class I, class From>
InterfacePtr<I> Supports(From* object)
{
  void* result = nullptr;
  if (object && SUCCEEDED(object->QueryInterface(I::IID, &result)))
    return InterfacePtr<I>::Adopt(static_cast<I*>(result));
  return {};
}
