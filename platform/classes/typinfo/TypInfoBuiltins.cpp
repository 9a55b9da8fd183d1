// Descriptors of the built-in types and of the type-information enumerations.
#include <limits>

#include "platform/base/Persistent.h"
#include "platform/base/ShortString.h"
#include "platform/classes/typinfo/TypInfo.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

namespace {

// The unit name under which the built-in types are listed.
constexpr const char* BuiltinUnit = "Builtin";

TTypeInfo* Ordinal(TTypeInfo& info, TOrdType ordType, std::int32_t low, std::int32_t high)
{
  info.Data.OrdType = ordType;
  info.Data.MinValue = low;
  info.Data.MaxValue = high;
  return &info;
}

PTypeInfo Enum(TTypeInfo& info, const char* names, const char* unit)
{
  typinfo_detail::InitEnum(info, unit, names, otUByte);
  return &info;
}

}  // namespace

#define CORVANE_ORDINAL_TYPEINFO(T, kind, name, ordType, low, high)          \
  PTypeInfo TypeInfoOf<T>::Get()                                            \
  {                                                                         \
    static TTypeInfo info(kind, name);                                      \
    static const PTypeInfo ready = Ordinal(info, ordType, (low), (high));   \
    return ready;                                                           \
  }

CORVANE_ORDINAL_TYPEINFO(std::int8_t, tkInteger, "ShortInt", otSByte, -128, 127)
CORVANE_ORDINAL_TYPEINFO(std::uint8_t, tkInteger, "Byte", otUByte, 0, 255)
CORVANE_ORDINAL_TYPEINFO(std::int16_t, tkInteger, "SmallInt", otSWord, -32768, 32767)
CORVANE_ORDINAL_TYPEINFO(std::uint16_t, tkInteger, "Word", otUWord, 0, 65535)
CORVANE_ORDINAL_TYPEINFO(std::int32_t, tkInteger, "Integer", otSLong, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max())
CORVANE_ORDINAL_TYPEINFO(std::uint32_t, tkInteger, "Cardinal", otULong, 0, -1)
CORVANE_ORDINAL_TYPEINFO(char, tkChar, "Char", otUByte, 0, 255)
CORVANE_ORDINAL_TYPEINFO(char16_t, tkWChar, "WideChar", otUWord, 0, 65535)

PTypeInfo TypeInfoOf<std::int64_t>::Get()
{
  static TTypeInfo info(tkInt64, "Int64");
  static const bool ready = [] {
    info.Data.MinInt64Value = std::numeric_limits<std::int64_t>::min();
    info.Data.MaxInt64Value = std::numeric_limits<std::int64_t>::max();
    return true;
  }();
  (void)ready;
  return &info;
}

PTypeInfo TypeInfoOf<bool>::Get()
{
  static TTypeInfo info(tkEnumeration, "Boolean");
  static const PTypeInfo ready = Enum(info, "False, True", BuiltinUnit);
  return ready;
}

#define CORVANE_FLOAT_TYPEINFO(T, name, floatType) \
  PTypeInfo TypeInfoOf<T>::Get()                   \
  {                                                \
    static TTypeInfo info(tkFloat, name);          \
    static const bool ready = [] {                 \
      info.Data.FloatType = floatType;             \
      return true;                                 \
    }();                                           \
    (void)ready;                                   \
    return &info;                                  \
  }

CORVANE_FLOAT_TYPEINFO(float, "Single", ftSingle)
CORVANE_FLOAT_TYPEINFO(double, "Double", ftDouble)
CORVANE_FLOAT_TYPEINFO(long double, "Extended", ftExtended)

PTypeInfo TypeInfoOf<std::string>::Get()
{
  static const TTypeInfo info(tkLString, "string");
  return &info;
}

PTypeInfo TypeInfoOf<std::u16string>::Get()
{
  static const TTypeInfo info(tkWString, "WideString");
  return &info;
}

PTypeInfo TypeInfoOf<ShortString>::Get()
{
  static const TTypeInfo info(tkString, "ShortString");  // MaxLength 255
  return &info;
}

PTypeInfo TypeInfoOf<TObject>::Get()
{
  static TTypeInfo info(tkClass, "TObject");
  static const bool ready = (typinfo_detail::FinishClass(info, nullptr, "Object", typeid(TObject)), true);
  (void)ready;
  return &info;
}

PTypeInfo TypeInfoOf<TPersistent>::Get()
{
  static TTypeInfo info(tkClass, "TPersistent");
  static const bool ready =
      (typinfo_detail::FinishClass(info, TypeInfo<TObject>(), "Persistent", typeid(TPersistent)), true);
  (void)ready;
  return &info;
}

PTypeInfo TypeInfoOf<IUnknown>::Get()
{
  static TTypeInfo info(tkInterface, "IUnknown");
  static const bool ready = (typinfo_detail::InitInterface(info, nullptr, "Interface", IUnknown::IID), true);
  (void)ready;
  return &info;
}

#define CORVANE_ENUM_TYPEINFO(T, names)                   \
  PTypeInfo TypeInfoOf<T>::Get()                          \
  {                                                       \
    static TTypeInfo info(tkEnumeration, #T);             \
    static const PTypeInfo ready = Enum(info, names, "TypInfo"); \
    return ready;                                         \
  }

CORVANE_ENUM_TYPEINFO(TTypeKind,
                      "tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, "
                      "tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray")
CORVANE_ENUM_TYPEINFO(TOrdType, "otSByte, otUByte, otSWord, otUWord, otSLong, otULong")
CORVANE_ENUM_TYPEINFO(TFloatType, "ftSingle, ftDouble, ftExtended, ftComp, ftCurr")
CORVANE_ENUM_TYPEINFO(TMethodKind,
                      "mkProcedure, mkFunction, mkConstructor, mkDestructor, mkClassProcedure, mkClassFunction, "
                      "mkSafeProcedure, mkSafeFunction")
CORVANE_ENUM_TYPEINFO(TParamFlag, "pfVar, pfConst, pfArray, pfAddress, pfReference, pfOut")
CORVANE_ENUM_TYPEINFO(TIntfFlag, "ifHasGuid, ifDispInterface, ifDispatch")

PTypeInfo TypeInfoOf<TParamFlags>::Get()
{
  static TTypeInfo info(tkSet, "TParamFlags");
  static const bool ready = (typinfo_detail::InitSet(info, TypeInfo<TParamFlag>()), true);
  (void)ready;
  return &info;
}

PTypeInfo TypeInfoOf<TIntfFlagsBase>::Get()
{
  static TTypeInfo info(tkSet, "TIntfFlagsBase");
  static const bool ready = (typinfo_detail::InitSet(info, TypeInfo<TIntfFlag>()), true);
  (void)ready;
  return &info;
}
