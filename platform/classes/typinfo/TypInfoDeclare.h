// Declaration macros that describe C++ types to the run-time type information.
//
// Invoke them at global namespace scope (they specialise TypeInfoOf), after
// the type itself, in a header that every user of the type's descriptor sees:
//
//   CORVANE_ENUM(TCheckBoxState, "UtCheckListBox", cbUnchecked, cbChecked, cbGrayed);
//       declares the enumeration (one byte, values from 0 in order) and its
//       descriptor, and gives Set<TCheckBoxState> its exact range.
//   CORVANE_DESCRIBE_ENUM(TAlign, "Controls", alNone, alTop, ...);
//       describes an enumeration declared elsewhere; its values must run from
//       0 in the order listed (the names are taken as written).
//   CORVANE_DESCRIBE_SET(TAnchors);
//       describes a Set<E> under its alias name; E must be described.
//   CORVANE_DESCRIBE_CLASS(TSample, TPersistent, "Samples",
//       .Property("Width", &TSample::Width, &TSample::SetWidth).Default(64)
//       .Field("Tag", &TSample::FTag)
//       .Event("OnClick", NotifyEventInfo, &TSample::OnClick));  // from NewMethodType
//   CORVANE_DESCRIBE_INTERFACE(IRtTypeInfo, IRtBaseInfo, "RtRTTI");
#pragma once

#include <cstring>
#include <type_traits>

#include "platform/base/Exception.h"
#include "platform/base/ShortString.h"
#include "platform/classes/typinfo/TypInfo.h"

namespace typinfo_detail {

constexpr int CountNames(const char* list)
{
  int n = 1;
  for (; *list; ++list)
    if (*list == ',')
      ++n;
  return n;
}

template <class E>
constexpr TOrdType OrdTypeOf()
{
  return OrdTypeFor(sizeof(E), std::is_signed_v<std::underlying_type_t<E>>);
}

// The last component of a possibly qualified C++ name.
std::string BareName(const char* name);
void InitEnum(TTypeInfo& info, const char* unitName, const char* names, TOrdType ordType);
void InitSet(TTypeInfo& info, PTypeInfo elementType);
void InitInterface(TTypeInfo& info, PTypeInfo parent, const char* unitName, const GUID& iid);
void FinishClass(TTypeInfo& info, PTypeInfo parent, const char* unitName, const std::type_info& type);

template <class S>
struct SetElement;
template <class E>
struct SetElement<Set<E>> {
  using type = E;
};

template <class T>
constexpr bool IsSet = false;
template <class E>
constexpr bool IsSet<Set<E>> = true;

template <class C>
C* Cast(TObject* instance)
{
  C* object = dynamic_cast<C*>(instance);
  if (!object)
    throw EPropertyError("Objet incompatible avec la propriété");
  return object;
}

// Conversions between a property value and the access kinds.
template <class T>
std::int64_t ToOrd(const T& v)
{
  if constexpr (IsSet<T>)
    return std::int64_t(v.ToInteger());
  else
    return std::int64_t(v);
}
template <class T>
T FromOrd(std::int64_t v)
{
  if constexpr (IsSet<T>)
    return T::FromInteger(std::uint32_t(v));
  else
    return static_cast<T>(v);
}

template <class T>
constexpr int AccessKind()
{
  if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, ShortString>)
    return 2;
  else if constexpr (std::is_floating_point_v<T>)
    return 1;
  else
    return 0;
}

template <class C, class T, class Get, class Put>
void InstallAccess(TPropAccess& access, Get get, Put put)
{
  if constexpr (AccessKind<T>() == 0) {
    access.GetOrd = [get](TObject* o) { return ToOrd<T>(get(Cast<C>(o))); };
    if constexpr (!std::is_same_v<Put, std::nullptr_t>)
      access.SetOrd = [put](TObject* o, std::int64_t v) { put(Cast<C>(o), FromOrd<T>(v)); };
  } else if constexpr (AccessKind<T>() == 1) {
    access.GetFloat = [get](TObject* o) { return double(get(Cast<C>(o))); };
    if constexpr (!std::is_same_v<Put, std::nullptr_t>)
      access.SetFloat = [put](TObject* o, double v) { put(Cast<C>(o), T(v)); };
  } else {
    access.GetStr = [get](TObject* o) { return std::string(get(Cast<C>(o))); };
    if constexpr (!std::is_same_v<Put, std::nullptr_t>)
      access.SetStr = [put](TObject* o, const std::string& v) { put(Cast<C>(o), T(v)); };
  }
}

// The offset of a data member: the machine's C++ ABI represents a pointer to
// a data member as the member's offset in the object.
template <class C, class T>
std::uint32_t FieldOffset(T C::*field)
{
  std::ptrdiff_t offset = 0;
  static_assert(sizeof(field) == sizeof(offset), "data member pointers are offsets");
  std::memcpy(&offset, &field, sizeof(offset));
  return std::uint32_t(offset) & 0xFFFFFFu;
}

}  // namespace typinfo_detail

// Fills the property records of a class descriptor; used by
// CORVANE_DESCRIBE_CLASS. Each Property, Field or Event adds one record; the
// modifiers after it (Default, Index, Stored) apply to that record.
template <class C>
class TClassTypeBuilder {
public:
  explicit TClassTypeBuilder(TTypeInfo& info) : FInfo(info) {}

  // A property read and written through member functions.
  template <class R, class V>
  TClassTypeBuilder& Property(const char* name, R (C::*getter)() const, void (C::*setter)(V))
  {
    using T = std::remove_cvref_t<R>;
    TPropInfo& p = Add(name, TypeInfo<T>());
    p.GetProc = NextAccessor();
    p.SetProc = NextAccessor();
    typinfo_detail::InstallAccess<C, T>(
        p.Access, [getter](C* o) { return (o->*getter)(); },
        [setter](C* o, const T& v) { (o->*setter)(v); });
    return *this;
  }
  // The same with a getter that is not const.
  template <class R, class V>
  TClassTypeBuilder& Property(const char* name, R (C::*getter)(), void (C::*setter)(V))
  {
    using T = std::remove_cvref_t<R>;
    TPropInfo& p = Add(name, TypeInfo<T>());
    p.GetProc = NextAccessor();
    p.SetProc = NextAccessor();
    typinfo_detail::InstallAccess<C, T>(
        p.Access, [getter](C* o) { return (o->*getter)(); },
        [setter](C* o, const T& v) { (o->*setter)(v); });
    return *this;
  }
  // A read-only property.
  template <class R>
  TClassTypeBuilder& Property(const char* name, R (C::*getter)() const)
  {
    using T = std::remove_cvref_t<R>;
    TPropInfo& p = Add(name, TypeInfo<T>());
    p.GetProc = NextAccessor();
    typinfo_detail::InstallAccess<C, T>(p.Access, [getter](C* o) { return (o->*getter)(); }, nullptr);
    return *this;
  }
  // A property read and written directly in a field.
  template <class T>
  TClassTypeBuilder& Field(const char* name, T C::*field)
  {
    TPropInfo& p = Add(name, TypeInfo<T>());
    p.GetProc = p.SetProc = 0xFF000000u | typinfo_detail::FieldOffset(field);
    typinfo_detail::InstallAccess<C, T>(
        p.Access, [field](C* o) { return o->*field; }, [field](C* o, const T& v) { o->*field = v; });
    return *this;
  }
  // An event: a method-pointer field with the given method type.
  template <class T>
  TClassTypeBuilder& Event(const char* name, PTypeInfo methodType, T C::*field)
  {
    TPropInfo& p = Add(name, methodType);
    p.GetProc = p.SetProc = 0xFF000000u | typinfo_detail::FieldOffset(field);
    return *this;
  }

  TClassTypeBuilder& Default(std::int32_t value)
  {
    Last().Default = value;
    return *this;
  }
  TClassTypeBuilder& Index(std::int32_t value)
  {
    Last().Index = value;
    return *this;
  }
  // A constant stored specifier.
  TClassTypeBuilder& Stored(bool stored)
  {
    Last().StoredProc = stored ? 1 : 0;
    return *this;
  }
  // A stored test answered by a member function.
  TClassTypeBuilder& Stored(bool (C::*test)() const)
  {
    TPropInfo& p = Last();
    p.StoredProc = NextAccessor();
    p.Access.Stored = [test](TObject* o) { return (typinfo_detail::Cast<C>(o)->*test)(); };
    return *this;
  }
  // An interface the class declares itself.
  template <class I>
  TClassTypeBuilder& Implements()
  {
    FInfo.Data.IntfTable.push_back(I::IID);
    return *this;
  }

private:
  TPropInfo& Add(const char* name, PTypeInfo type)
  {
    TPropInfo p;
    p.Name = name;
    p.PropType = type;
    FInfo.Data.Props.push_back(std::move(p));
    return FInfo.Data.Props.back();
  }
  TPropInfo& Last()
  {
    if (FInfo.Data.Props.empty())
      throw EPropertyError("Aucune propriété à modifier");
    return FInfo.Data.Props.back();
  }
  std::uint32_t NextAccessor() { return FNextAccessor++; }

  TTypeInfo& FInfo;
  std::uint32_t FNextAccessor = 2;  // 0 and 1 are the constant specifiers
};

#define CORVANE_DESCRIBE_ENUM(E, Unit, ...)                                                           \
  CORVANE_ENUM_RANGE(E, 0, typinfo_detail::CountNames(#__VA_ARGS__) - 1);                             \
  template <>                                                                                         \
  struct TypeInfoOf<E> {                                                                              \
    static PTypeInfo Get()                                                                            \
    {                                                                                                 \
      static TTypeInfo info(tkEnumeration, typinfo_detail::BareName(#E));                             \
      static const bool ready =                                                                       \
          (typinfo_detail::InitEnum(info, Unit, #__VA_ARGS__, typinfo_detail::OrdTypeOf<E>()), true); \
      (void)ready;                                                                                    \
      return &info;                                                                                   \
    }                                                                                                 \
  }

#define CORVANE_ENUM(E, Unit, ...)                                                    \
  enum E : std::uint8_t { __VA_ARGS__ };                                              \
  static_assert(typinfo_detail::CountNames(#__VA_ARGS__) <= 256, "too many values"); \
  CORVANE_DESCRIBE_ENUM(E, Unit, __VA_ARGS__)

#define CORVANE_DESCRIBE_SET(S)                                                                      \
  template <>                                                                                        \
  struct TypeInfoOf<S> {                                                                             \
    static PTypeInfo Get()                                                                           \
    {                                                                                                \
      static TTypeInfo info(tkSet, typinfo_detail::BareName(#S));                                    \
      static const bool ready =                                                                      \
          (typinfo_detail::InitSet(info, TypeInfo<typename typinfo_detail::SetElement<S>::type>()), \
           true);                                                                                    \
      (void)ready;                                                                                   \
      return &info;                                                                                  \
    }                                                                                                \
  }

#define CORVANE_DESCRIBE_CLASS(C, Parent, Unit, ...)                                        \
  template <>                                                                               \
  struct TypeInfoOf<C> {                                                                    \
    static PTypeInfo Get()                                                                  \
    {                                                                                       \
      static TTypeInfo info(tkClass, typinfo_detail::BareName(#C));                         \
      static const bool ready = [] {                                                        \
        TClassTypeBuilder<C> b(info);                                                       \
        (void)b __VA_ARGS__;                                                                \
        typinfo_detail::FinishClass(info, TypeInfo<Parent>(), Unit, typeid(C));             \
        return true;                                                                        \
      }();                                                                                  \
      (void)ready;                                                                          \
      return &info;                                                                         \
    }                                                                                       \
  }

#define CORVANE_DESCRIBE_INTERFACE(I, Parent, Unit)                                      \
  template <>                                                                            \
  struct TypeInfoOf<I> {                                                                 \
    static PTypeInfo Get()                                                               \
    {                                                                                    \
      static TTypeInfo info(tkInterface, typinfo_detail::BareName(#I));                  \
      static const bool ready =                                                          \
          (typinfo_detail::InitInterface(info, TypeInfo<Parent>(), Unit, I::IID), true); \
      (void)ready;                                                                       \
      return &info;                                                                      \
    }                                                                                    \
  }
