// Run-time type information: one immutable descriptor per described type, with
// the kind, the name and the kind-specific data that type-information readers,
// settings stores and form code ask for (ordinal ranges, enumeration names,
// set element types, class properties with typed access, method parameters,
// interface GUIDs, dynamic-array element types).
//
// Descriptors of C++ types are produced by the declaration macros of
// TypInfoDeclare.h and found with TypeInfo<T>(); descriptors of types that
// have no C++ type of their own (sub-ranges, method signatures, dynamic arrays)
// are built at run time with the New... functions below.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/base/Exception.h"
#include "platform/base/Interface.h"
#include "platform/base/Object.h"
#include "platform/base/Set.h"

enum TTypeKind : std::uint8_t {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
  tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
CORVANE_ENUM_RANGE(TTypeKind, 0, 17);
using TTypeKinds = Set<TTypeKind>;

enum TOrdType : std::uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
CORVANE_ENUM_RANGE(TOrdType, 0, 5);

enum TFloatType : std::uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };
CORVANE_ENUM_RANGE(TFloatType, 0, 4);

enum TMethodKind : std::uint8_t {
  mkProcedure, mkFunction, mkConstructor, mkDestructor,
  mkClassProcedure, mkClassFunction, mkSafeProcedure, mkSafeFunction
};
CORVANE_ENUM_RANGE(TMethodKind, 0, 7);

enum TParamFlag : std::uint8_t { pfVar, pfConst, pfArray, pfAddress, pfReference, pfOut };
CORVANE_ENUM_RANGE(TParamFlag, 0, 5);
using TParamFlags = Set<TParamFlag>;

enum TIntfFlag : std::uint8_t { ifHasGuid, ifDispInterface, ifDispatch };
CORVANE_ENUM_RANGE(TIntfFlag, 0, 2);
using TIntfFlagsBase = Set<TIntfFlag>;

struct TTypeInfo;
using PTypeInfo = const TTypeInfo*;

// Typed access to a published property, installed by the class declaration.
// Ordinal properties (integers, characters, enumerations, Booleans, sets of up
// to four bytes, 64-bit integers) go through the ordinal pair.
struct TPropAccess {
  std::function<std::int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<bool(TObject*)> Stored;
};

// "No index" and "no default" of a property record.
constexpr std::int32_t NoPropValue = std::int32_t(0x80000000u);

// One property record. The three specifiers keep the stored 32-bit encoding:
// 0xFF000000 + offset for a field, 0xFE000000 + slot for a virtual method,
// 0 or 1 for a constant, and any other value for a static method (here: the
// number of the registered accessor).
struct TPropInfo {
  PTypeInfo PropType = nullptr;
  std::uint32_t GetProc = 0;
  std::uint32_t SetProc = 0;
  std::uint32_t StoredProc = 1;
  std::int32_t Index = NoPropValue;
  std::int32_t Default = NoPropValue;
  std::int16_t NameIndex = 0;
  std::string Name;
  TPropAccess Access;
};

// One parameter record of a method-pointer type.
struct TParamRecord {
  TParamFlags Flags;
  std::string ParamName;
  std::string TypeName;
};

// The kind-specific data of a descriptor. Only the fields of the descriptor's
// kind are meaningful.
struct TTypeData {
  // Ordinal kinds (integer, char, wide char, enumeration, set).
  TOrdType OrdType = otSLong;
  // Ordinal ranges, stored as 32-bit values (read unsigned for otULong).
  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  // Enumerations: the type this one is a sub-range of (the descriptor itself
  // for a full enumeration) and, for a full enumeration, its names in order.
  PTypeInfo BaseType = nullptr;
  std::vector<std::string> NameList;
  // Enumerations, classes, interfaces and dynamic arrays.
  std::string UnitName;
  // Sets: the element type.
  PTypeInfo CompType = nullptr;
  // Floats.
  TFloatType FloatType = ftDouble;
  // Short strings.
  std::uint8_t MaxLength = 255;
  // Classes: the C++ class, the parent descriptor, the total number of
  // published properties, the class's own property records and the GUIDs of
  // the interfaces it declares itself.
  const std::type_info* ClassType = nullptr;
  PTypeInfo ParentInfo = nullptr;  // classes and interfaces
  std::int16_t PropCount = 0;      // classes (total) and interfaces
  std::vector<TPropInfo> Props;
  std::vector<GUID> IntfTable;
  // Method pointers.
  TMethodKind MethodKind = mkProcedure;
  std::vector<TParamRecord> Params;
  std::string ResultType;
  // Interfaces.
  TIntfFlagsBase IntfFlags;
  GUID Guid;
  // 64-bit integers.
  std::int64_t MinInt64Value = 0;
  std::int64_t MaxInt64Value = 0;
  // Dynamic arrays.
  std::int32_t ElSize = 0;
  PTypeInfo ElType = nullptr;  // the element type when elements need clean-up
  std::int32_t VarType = 0;
  PTypeInfo ElType2 = nullptr;  // the element type
};

// A descriptor. It never moves (descriptors refer to each other by address);
// names of anonymous types begin with ".".
struct TTypeInfo {
  TTypeInfo(TTypeKind kind, std::string name) : Kind(kind), Name(std::move(name)) {}
  TTypeInfo(const TTypeInfo&) = delete;
  TTypeInfo& operator=(const TTypeInfo&) = delete;

  TTypeKind Kind;
  std::string Name;
  TTypeData Data;
};

inline const TTypeData* GetTypeData(PTypeInfo info) { return info ? &info->Data : nullptr; }

// The descriptor of a C++ type. Specialised by the declaration macros and for
// the built-in types (Integer, Cardinal, Byte, Char, Boolean, Double, string,
// ShortString, TObject, TPersistent, IUnknown ...).
template <class T>
struct TypeInfoOf;

template <class T>
PTypeInfo TypeInfo()
{
  return TypeInfoOf<T>::Get();
}

// Sizes and signs of the ordinal kinds.
int OrdTypeSize(TOrdType type);
bool OrdTypeSigned(TOrdType type);
// The ordinal kind that holds values of Size bytes.
constexpr TOrdType OrdTypeFor(std::size_t size, bool isSigned)
{
  if (size == 1)
    return isSigned ? otSByte : otUByte;
  if (size == 2)
    return isSigned ? otSWord : otUWord;
  return isSigned ? otSLong : otULong;
}

// Reads the ordinal at Address with the size and sign of the kind; -1 for a
// kind that is none of the six.
std::int64_t ReadOrdinal(TOrdType type, const void* address);
// Writes the low bytes of Value at Address, as many as the kind takes.
void WriteOrdinal(TOrdType type, void* address, std::int64_t value);

// The bounds of an ordinal range widened to 64 bits (unsigned for otULong).
std::int64_t OrdinalMin(PTypeInfo info);
std::int64_t OrdinalMax(PTypeInfo info);

// The base type of an enumeration (the descriptor itself for a full one).
PTypeInfo EnumBaseType(PTypeInfo info);
// The name of Value in an enumeration (empty outside the base type's names).
std::string GetEnumName(PTypeInfo info, std::int64_t value);
// The value named Name (case ignored) within the type's range; -1 for none.
std::int64_t GetEnumValue(PTypeInfo info, const std::string& name);

// The number of bytes of a set type: the bytes from the one holding the
// element type's lowest value to the one holding its highest, three widened
// to four (the layout of Set<E>).
std::size_t SetTypeSize(PTypeInfo setType);

// Registered integer-to-identifier mappings of integer types (colour and
// cursor names and the like).
using TIntToIdent = std::function<bool(std::int32_t value, std::string& ident)>;
using TIdentToInt = std::function<bool(const std::string& ident, std::int32_t& value)>;
void RegisterIntegerIdents(PTypeInfo integerType, TIntToIdent toIdent, TIdentToInt toInt);
TIntToIdent FindIntToIdent(PTypeInfo integerType);
TIdentToInt FindIdentToInt(PTypeInfo integerType);

// A property accessed in a way it does not support, or a value outside its type.
CORVANE_DECLARE_EXCEPTION(EPropertyError, Exception);

// Run-time descriptors for types without a C++ type of their own. The caller
// owns them and keeps them alive as long as anything refers to them.
std::unique_ptr<TTypeInfo> NewOrdinalType(TTypeKind kind, std::string name, TOrdType ordType,
                                          std::int32_t minValue, std::int32_t maxValue);
std::unique_ptr<TTypeInfo> NewEnumType(std::string name, std::string unitName, std::vector<std::string> names,
                                       TOrdType ordType = otUByte);
std::unique_ptr<TTypeInfo> NewSubrangeType(std::string name, PTypeInfo base, std::int32_t minValue,
                                           std::int32_t maxValue);
std::unique_ptr<TTypeInfo> NewSetType(std::string name, PTypeInfo elementType);
std::unique_ptr<TTypeInfo> NewMethodType(std::string name, TMethodKind kind, std::vector<TParamRecord> params,
                                         std::string resultType = {});
std::unique_ptr<TTypeInfo> NewDynArrayType(std::string name, std::string unitName, std::int32_t elSize,
                                           PTypeInfo elementType, bool elementsNeedCleanup, std::int32_t varType);

// Published properties of a class: the record named Name (case ignored),
// searched in the class and then its parents; null when there is none.
const TPropInfo* GetPropInfo(PTypeInfo classInfo, const std::string& name);
// All published properties, the class's own first, then its parents'.
std::vector<const TPropInfo*> GetPropList(PTypeInfo classInfo);

// Typed access through the registered accessors; EPropertyError when the
// property has no accessor of that kind, and ERangeError when an ordinal lies
// outside the range of an integer, character or enumeration property.
std::int64_t GetOrdProp(TObject* instance, const TPropInfo* prop);
void SetOrdProp(TObject* instance, const TPropInfo* prop, std::int64_t value);
double GetFloatProp(TObject* instance, const TPropInfo* prop);
void SetFloatProp(TObject* instance, const TPropInfo* prop, double value);
std::string GetStrProp(TObject* instance, const TPropInfo* prop);
void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value);
// Whether the property is stored for that object: a constant specifier answers
// itself, an accessor is asked, and a property without either is stored.
bool IsStoredProp(TObject* instance, const TPropInfo* prop);

// Descriptors of the built-in types and of the type-information enumerations.
#define CORVANE_BUILTIN_TYPEINFO(T) \
  template <>                       \
  struct TypeInfoOf<T> {            \
    static PTypeInfo Get();         \
  }

class TPersistent;
struct ShortString;
CORVANE_BUILTIN_TYPEINFO(std::int8_t);    // ShortInt
CORVANE_BUILTIN_TYPEINFO(std::uint8_t);   // Byte
CORVANE_BUILTIN_TYPEINFO(std::int16_t);   // SmallInt
CORVANE_BUILTIN_TYPEINFO(std::uint16_t);  // Word
CORVANE_BUILTIN_TYPEINFO(std::int32_t);   // Integer
CORVANE_BUILTIN_TYPEINFO(std::uint32_t);  // Cardinal
CORVANE_BUILTIN_TYPEINFO(std::int64_t);   // Int64
CORVANE_BUILTIN_TYPEINFO(char);           // Char
CORVANE_BUILTIN_TYPEINFO(char16_t);       // WideChar
CORVANE_BUILTIN_TYPEINFO(bool);           // Boolean
CORVANE_BUILTIN_TYPEINFO(float);          // Single
CORVANE_BUILTIN_TYPEINFO(double);         // Double
CORVANE_BUILTIN_TYPEINFO(long double);    // Extended
CORVANE_BUILTIN_TYPEINFO(std::string);    // string
CORVANE_BUILTIN_TYPEINFO(std::u16string); // WideString
CORVANE_BUILTIN_TYPEINFO(ShortString);
CORVANE_BUILTIN_TYPEINFO(TObject);
CORVANE_BUILTIN_TYPEINFO(TPersistent);
CORVANE_BUILTIN_TYPEINFO(IUnknown);
CORVANE_BUILTIN_TYPEINFO(TTypeKind);
CORVANE_BUILTIN_TYPEINFO(TOrdType);
CORVANE_BUILTIN_TYPEINFO(TFloatType);
CORVANE_BUILTIN_TYPEINFO(TMethodKind);
CORVANE_BUILTIN_TYPEINFO(TParamFlag);
CORVANE_BUILTIN_TYPEINFO(TParamFlags);
CORVANE_BUILTIN_TYPEINFO(TIntfFlag);
CORVANE_BUILTIN_TYPEINFO(TIntfFlagsBase);
