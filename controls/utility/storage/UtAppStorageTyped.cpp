// The typed layer of TUtCustomAppStorage: integers, strings, floats,
// date-times, booleans, binary blocks, enumerations and sets on top of the
// primitives, with the options deciding the stored forms.
#include <cstring>
#include <span>

#include "platform/base/ScopeGuard.h"
#include "platform/base/StringRoutines.h"
#include "controls/utility/UtConsts.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/detail/Text.h"
#include "controls/utility/detail/ValueText.h"
#include "controls/utility/rtti/RtTypeText.h"
#include "controls/utility/storage/UtAppStorage.h"

namespace {

// The platform's Boolean, or an enumeration whose base type starts below
// zero (the byte, word and long boolean types).
bool IsBooleanType(PTypeInfo type)
{
  if (type == TypeInfo<bool>())
    return true;
  return type->Kind == tkEnumeration && OrdinalMin(EnumBaseType(type)) < 0;
}

// Calls read; on a conversion error answers fallback() when the option says
// so, else lets the error go on.
template <class T, class Read, class Fallback>
T ReadOr(bool defaultOnError, Read read, Fallback fallback)
{
  try {
    return read();
  } catch (const EConvertError&) {
    if (!defaultOnError)
      throw;
    return fallback();
  }
}

std::string ElementPath(const std::string& path, const std::string& name)
{
  std::string joined = TUtCustomAppStorage::JoinPaths({path, name});
  return !path.empty() && path[0] == '\\' ? "\\" + joined : joined;
}

bool BitOf(const std::uint8_t* set, int firstBit, std::int64_t min, std::int64_t element)
{
  int bit = int(element - min) + firstBit;
  return (set[bit / 8] >> (bit % 8)) & 1;
}

}  // namespace

void TUtCustomAppStorage::EnumerationRangeCheck(PTypeInfo TypeInfo, std::int64_t Value)
{
  // A stored number outside the type would give a value the type cannot hold.
  if (Value < OrdinalMin(TypeInfo) || Value > OrdinalMax(TypeInfo))
    throw EConvertError("Valeur " + std::to_string(Value) + " hors des limites du type " + TypeInfo->Name);
}

TDateTime TUtCustomAppStorage::ReadDateTimeRaw(const std::string& Path, TDateTime Default)
{
  return ReadFloatRaw(Path, Default);
}

void TUtCustomAppStorage::WriteDateTimeRaw(const std::string& Path, TDateTime Value)
{
  WriteFloatRaw(Path, Value);
}

bool TUtCustomAppStorage::ReadBooleanRaw(const std::string& Path, bool Default)
{
  return ReadIntegerRaw(Path, Default ? 1 : 0) != 0;
}

void TUtCustomAppStorage::WriteBooleanRaw(const std::string& Path, bool Value)
{
  WriteIntegerRaw(Path, Value ? 1 : 0);
}

std::int32_t TUtCustomAppStorage::ReadIntegerValue(const std::string& Path, std::int32_t Default)
{
  if (IsMissing(Path))
    return Default;
  return ReadOr<std::int32_t>(
      StorageOptions()->DefaultIfReadConvertError(), [&] { return ReadIntegerRaw(Path, Default); },
      [&] { return Default; });
}

void TUtCustomAppStorage::WriteIntegerValue(const std::string& Path, std::int32_t Value)
{
  WriteIntegerRaw(Path, Value);
}

std::string TUtCustomAppStorage::ReadStringValue(const std::string& Path, const std::string& Default)
{
  if (IsMissing(Path))
    return Default;
  return ReadOr<std::string>(
      StorageOptions()->DefaultIfReadConvertError(),
      [&] { return DecryptValue(ReadStringRaw(Path, EncryptValue(Default))); }, [&] { return Default; });
}

void TUtCustomAppStorage::WriteStringValue(const std::string& Path, const std::string& Value)
{
  WriteStringRaw(Path, EncryptValue(Value));
}

double TUtCustomAppStorage::ReadFloatValue(const std::string& Path, double Default)
{
  if (IsMissing(Path))
    return Default;
  bool defaultOnError = StorageOptions()->DefaultIfReadConvertError();
  auto asText = [&] {
    return ut_detail::TextToFloat(DecryptValue(ReadStringRaw(Path, EncryptValue(ut_detail::FloatToText(Default)))));
  };
  auto native = [&] { return ReadFloatRaw(Path, Default); };
  auto orDefault = [&] { return Default; };
  if (StorageOptions()->FloatAsString()) {
    try {
      return asText();
    } catch (const EConvertError&) {
      return ReadOr<double>(defaultOnError, native, orDefault);
    }
  }
  try {
    return native();
  } catch (const EConvertError&) {
    return ReadOr<double>(defaultOnError, asText, orDefault);
  }
}

void TUtCustomAppStorage::WriteFloatValue(const std::string& Path, double Value)
{
  if (StorageOptions()->FloatAsString())
    WriteStringRaw(Path, EncryptValue(ut_detail::FloatToText(Value)));
  else
    WriteFloatRaw(Path, Value);
}

TDateTime TUtCustomAppStorage::ReadDateTimeValue(const std::string& Path, TDateTime Default)
{
  if (IsMissing(Path))
    return Default;
  bool defaultOnError = StorageOptions()->DefaultIfReadConvertError();
  auto asText = [&] {
    return ut_detail::TextToDateTime(
        DecryptValue(ReadStringRaw(Path, EncryptValue(ut_detail::DateTimeToText(Default)))));
  };
  auto native = [&] { return ReadDateTimeRaw(Path, Default); };
  auto orDefault = [&] { return Default; };
  if (StorageOptions()->DateTimeAsString()) {
    try {
      return asText();
    } catch (const EConvertError&) {
      return ReadOr<TDateTime>(defaultOnError, native, orDefault);
    }
  }
  try {
    return native();
  } catch (const EConvertError&) {
    return ReadOr<TDateTime>(defaultOnError, asText, orDefault);
  }
}

void TUtCustomAppStorage::WriteDateTimeValue(const std::string& Path, TDateTime Value)
{
  if (StorageOptions()->DateTimeAsString())
    WriteStringRaw(Path, EncryptValue(ut_detail::DateTimeToText(Value)));
  else
    WriteDateTimeRaw(Path, Value);
}

bool TUtCustomAppStorage::ReadBooleanValue(const std::string& Path, bool Default)
{
  if (IsMissing(Path))
    return Default;
  TUtCustomAppStorageOptions* options = StorageOptions();
  auto raw = [&] {
    return ReadOr<bool>(
        options->DefaultIfReadConvertError(), [&] { return ReadBooleanRaw(Path, Default); },
        [&] { return Default; });
  };
  std::string text;
  try {
    std::string defaultText = Default ? options->FirstTrueString() : options->FirstFalseString();
    text = DecryptValue(ReadStringRaw(Path, EncryptValue(defaultText)));
  } catch (const EConvertError&) {
    return raw();
  }
  if (options->IsTrueString(text))
    return true;
  if (options->IsFalseString(text))
    return false;
  return raw();
}

void TUtCustomAppStorage::WriteBooleanValue(const std::string& Path, bool Value)
{
  TUtCustomAppStorageOptions* options = StorageOptions();
  if (!options->BooleanAsString())
    WriteBooleanRaw(Path, Value);
  else
    WriteStringRaw(Path, EncryptValue(Value ? options->FirstTrueString() : options->FirstFalseString()));
}

int TUtCustomAppStorage::ReadBinaryValue(const std::string& Path, void* Buffer, int Size)
{
  return ReadBinaryRaw(Path, Buffer, Size);
}

void TUtCustomAppStorage::WriteBinaryValue(const std::string& Path, const void* Buffer, int Size)
{
  WriteBinaryRaw(Path, Buffer, Size);
}

void TUtCustomAppStorage::WriteEnumerationValue(const std::string& Path, PTypeInfo TypeInfo, const void* Value)
{
  if (!TypeInfo || !Value)
    throw EAppStorageError(SInvalidType);
  std::int64_t ordinal = ReadOrdinal(TypeInfo->Data.OrdType, Value);
  TUtCustomAppStorageOptions* options = StorageOptions();
  if (IsBooleanType(TypeInfo)) {
    WriteBooleanValue(Path, ordinal != 0);
  } else if (TypeInfo->Kind == tkInteger) {
    std::string ident;
    TIntToIdent toIdent = FindIntToIdent(TypeInfo);
    if (options->TypedIntegerAsString() && toIdent && toIdent(std::int32_t(ordinal), ident))
      WriteStringValue(Path, ident);
    else
      WriteIntegerValue(Path, std::int32_t(ordinal));
  } else if (TypeInfo->Kind == tkEnumeration) {
    // A value outside the type has no name and could not be read back.
    if (ordinal < OrdinalMin(TypeInfo) || ordinal > OrdinalMax(TypeInfo))
      ut_detail::RangeError();
    if (options->EnumerationAsString())
      WriteStringValue(Path, GetEnumName(TypeInfo, ordinal));
    else
      WriteIntegerValue(Path, std::int32_t(ordinal));
  } else {
    throw EAppStorageError(SInvalidType);
  }
}

void TUtCustomAppStorage::ReadEnumerationValue(const std::string& Path, PTypeInfo TypeInfo, const void* Default,
                                               void* Value)
{
  if (!TypeInfo || !Default || !Value)
    throw EAppStorageError(SInvalidType);
  TOrdType ordType = TypeInfo->Data.OrdType;
  if (IsMissing(Path)) {
    std::memmove(Value, Default, std::size_t(OrdTypeSize(ordType)));
    return;
  }
  TUtCustomAppStorageOptions* options = StorageOptions();
  std::int64_t def = ReadOrdinal(ordType, Default);
  std::int64_t work = def;
  if (IsBooleanType(TypeInfo)) {
    work = ReadBooleanValue(Path, work != 0) ? 1 : 0;
  } else if (TypeInfo->Kind == tkInteger || TypeInfo->Kind == tkEnumeration) {
    try {
      if (TypeInfo->Kind == tkInteger) {
        if (TIdentToInt toInt = FindIdentToInt(TypeInfo)) {
          bool saved = options->DefaultIfReadConvertError();
          options->SetDefaultIfReadConvertError(true);
          std::string text;
          {
            ScopeExit restoring([&] { options->SetDefaultIfReadConvertError(saved); });
            text = ReadStringValue(Path, "");
          }
          std::int32_t mapped = 0;
          if (!text.empty() && toInt(text, mapped))
            work = mapped;
          else
            work = ReadIntegerValue(Path, std::int32_t(work));
        } else {
          work = ReadIntegerValue(Path, std::int32_t(work));
        }
      } else {
        std::string text = ReadStringValue(Path, " #!@not known@!# ");
        std::int64_t named = GetEnumValue(TypeInfo, text);
        work = named >= 0 ? named : ReadIntegerValue(Path, std::int32_t(def));
      }
      EnumerationRangeCheck(TypeInfo, work);
    } catch (const EConvertError&) {
      if (!options->DefaultIfReadConvertError())
        throw;
      work = def;
    }
  } else {
    throw EAppStorageError(SInvalidType);
  }
  WriteOrdinal(ordType, Value, work);
}

std::string TUtCustomAppStorage::IntegerElementName(int N)
{
  return "Int_" + std::to_string(N);
}

std::string TUtCustomAppStorage::CharElementName(int Code)
{
  // A backslash would be taken for a path separator and dropped from the name.
  if (Code >= 33 && Code <= 122 && Code != '\\')
    return std::string("Char_") + char(Code);
  return "Char#" + std::to_string(Code);
}

void TUtCustomAppStorage::WriteSetValue(const std::string& Path, PTypeInfo TypeInfo, const void* Value)
{
  std::size_t size = SetTypeSize(TypeInfo);
  if (!TypeInfo || !Value || size == 0)
    throw EAppStorageError(SUnknownBaseType);
  const auto* bytes = static_cast<const std::uint8_t*>(Value);
  if (StorageOptions()->SetAsString()) {
    WriteStringValue(Path, SetToText(TypeInfo, std::span<const std::uint8_t>(bytes, size), true, false));
    return;
  }
  PTypeInfo element = TypeInfo->Data.CompType;
  std::int64_t min = OrdinalMin(element), max = OrdinalMax(element);
  int firstBit = int(min % 8);
  for (std::int64_t n = min; n <= max; ++n) {
    std::string name;
    switch (element->Kind) {
      case tkInteger: name = IntegerElementName(int(n)); break;
      case tkChar: name = CharElementName(int(n)); break;
      case tkEnumeration: name = GetEnumName(element, n); break;
      default: throw EAppStorageError(SUnknownBaseType);
    }
    WriteBooleanValue(ElementPath(Path, name), BitOf(bytes, firstBit, min, n));
  }
}

void TUtCustomAppStorage::ReadSetValue(const std::string& Path, PTypeInfo TypeInfo, const void* Default,
                                       void* Value)
{
  std::size_t size = SetTypeSize(TypeInfo);
  if (!TypeInfo || !Default || !Value || size == 0)
    throw EAppStorageError(SUnknownBaseType);
  std::span<std::uint8_t> value(static_cast<std::uint8_t*>(Value), size);
  if (IsFolder(Path, true)) {
    PTypeInfo element = TypeInfo->Data.CompType;
    std::int64_t min = OrdinalMin(element), max = OrdinalMax(element);
    std::vector<std::string> list;
    switch (element->Kind) {
      case tkInteger:
        for (std::int64_t n = min; n <= max; ++n)
          if (ReadBooleanValue(ElementPath(Path, IntegerElementName(int(n))), false))
            list.push_back(std::to_string(n));
        SetListToElements(TypeInfo, value, list);
        break;
      case tkChar: {
        TextToSet(TypeInfo, value, "");
        int firstBit = int(min % 8);
        for (std::int64_t n = min; n <= max; ++n)
          if (ReadBooleanValue(ElementPath(Path, CharElementName(int(n))), false)) {
            int bit = int(n - min) + firstBit;
            value[std::size_t(bit / 8)] |= std::uint8_t(1u << (bit % 8));
          }
        break;
      }
      case tkEnumeration:
        for (std::int64_t n = min; n <= max; ++n) {
          std::string name = GetEnumName(element, n);
          if (ReadBooleanValue(ElementPath(Path, name), false))
            list.push_back(name);
        }
        SetListToElements(TypeInfo, value, list);
        break;
      default:
        throw EAppStorageError(SUnknownBaseType);
    }
    return;
  }
  std::string defaultText =
      SetToText(TypeInfo, std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(Default), size), true, false);
  TextToSet(TypeInfo, value, ReadStringValue(Path, defaultText));
}
