#include "platform/classes/components/Reader.h"

#include <vector>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/Persistent.h"
#include "platform/base/SysConsts.h"
#include "platform/base/Stream.h"
#include "platform/base/Utf.h"
#include "platform/classes/ClassesConsts.h"

namespace {
constexpr int MaxListDepth = 64;
}

void TReader::ReadExact(void* Buffer, std::int64_t Count)
{
  if (Count < 0 || Count > Remaining())
    throw EReadError(SReadError);
  if (Count > 0)
    FStream->ReadBuffer(Buffer, Integer(Count));
}

std::int64_t TReader::Remaining()
{
  return FStream->Size() - FStream->Position();
}

std::uint32_t TReader::ReadLength()
{
  std::uint32_t n = 0;
  ReadExact(&n, 4);
  if (n > Remaining())
    throw EReadError(SReadError);
  return n;
}

void TReader::ValueError()
{
  throw EReadError(SInvalidPropertyValue);
}

TValueType TReader::ReadValue()
{
  std::uint8_t v = 0;
  ReadExact(&v, 1);
  if (v > vaUTF8String)
    ValueError();
  return TValueType(v);
}

TValueType TReader::NextValue()
{
  TValueType v = ReadValue();
  FStream->Seek(Int64(-1), TSeekOrigin::soCurrent);
  return v;
}

bool TReader::EndOfList()
{
  return NextValue() == vaNull;
}

void TReader::ReadListBegin()
{
  if (ReadValue() != vaList)
    ValueError();
}

void TReader::ReadListEnd()
{
  if (ReadValue() != vaNull)
    ValueError();
}

bool TReader::ReadBoolean()
{
  TValueType v = ReadValue();
  if (v != vaTrue && v != vaFalse)
    ValueError();
  return v == vaTrue;
}

std::int32_t TReader::ReadInteger()
{
  switch (ReadValue()) {
  case vaInt8: {
    std::int8_t v;
    ReadExact(&v, 1);
    return v;
  }
  case vaInt16: {
    std::int16_t v;
    ReadExact(&v, 2);
    return v;
  }
  case vaInt32: {
    std::int32_t v;
    ReadExact(&v, 4);
    return v;
  }
  default:
    ValueError();
  }
}

std::int64_t TReader::ReadInt64()
{
  if (NextValue() != vaInt64)
    return ReadInteger();
  ReadValue();
  std::int64_t v;
  ReadExact(&v, 8);
  return v;
}

std::string TReader::ReadString()
{
  std::string s;
  switch (ReadValue()) {
  case vaString: {
    std::uint8_t n;
    ReadExact(&n, 1);
    s.resize(n);
    ReadExact(s.data(), n);
    return s;
  }
  case vaLString:
  case vaUTF8String: {
    std::uint32_t n = ReadLength();
    s.resize(n);
    ReadExact(s.data(), n);
    return s;
  }
  case vaWString:
    FStream->Seek(Int64(-1), TSeekOrigin::soCurrent);
    return UTF8Encode(ReadWideString());
  default:
    ValueError();
  }
}

std::u16string TReader::ReadWideString()
{
  if (NextValue() != vaWString)
    return UTF8Decode(ReadString());
  ReadValue();
  std::uint32_t n = 0;
  ReadExact(&n, 4);
  if (std::int64_t(n) * 2 > Remaining())
    throw EReadError(SReadError);
  std::u16string w(n, u'\0');
  ReadExact(w.data(), std::int64_t(n) * 2);
  return w;
}

std::string TReader::ReadStr()
{
  std::uint8_t n;
  ReadExact(&n, 1);
  std::string s(n, '\0');
  ReadExact(s.data(), n);
  return s;
}

std::string TReader::ReadIdent()
{
  switch (ReadValue()) {
  case vaIdent:
    return ReadStr();
  case vaFalse:
    return "False";
  case vaTrue:
    return "True";
  case vaNil:
    return "nil";
  case vaNull:
    return "Null";
  default:
    ValueError();
  }
}

void TReader::SkipValue()
{
  SkipValue(0);
}

void TReader::SkipValue(int Depth)
{
  if (Depth > MaxListDepth)
    throw EReadError(SReadingNestedTooDeep);
  auto skip = [this](std::int64_t n) {
    if (n > Remaining())
      throw EReadError(SReadError);
    FStream->Seek(Int64(n), TSeekOrigin::soCurrent);
  };
  switch (ReadValue()) {
  case vaNull:
  case vaFalse:
  case vaTrue:
  case vaNil:
    return;
  case vaList:
    while (!EndOfList())
      SkipValue(Depth + 1);
    ReadListEnd();
    return;
  case vaInt8:
    return skip(1);
  case vaInt16:
    return skip(2);
  case vaInt32:
  case vaSingle:
    return skip(4);
  case vaInt64:
  case vaCurrency:
  case vaDate:
    return skip(8);
  case vaExtended:
    return skip(10);
  case vaString:
  case vaIdent:
    ReadStr();
    return;
  case vaLString:
  case vaUTF8String:
  case vaBinary:
    return skip(ReadLength());
  case vaWString: {
    std::uint32_t n = 0;
    ReadExact(&n, 4);
    return skip(std::int64_t(n) * 2);
  }
  case vaSet:
    while (!ReadStr().empty()) {
    }
    return;
  case vaCollection:
    // Items: an optional order value, then a property list each.
    while (!EndOfList()) {
      TValueType v = NextValue();
      if (v == vaInt8 || v == vaInt16 || v == vaInt32)
        ReadInteger();
      ReadListBegin();
      while (!EndOfList()) {
        ReadStr();
        SkipValue(Depth + 1);
      }
      ReadListEnd();
    }
    ReadListEnd();
    return;
  }
}

void TReader::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc, bool)
{
  if (FPropName.empty() || !ReadData || !AnsiSameText(Name, FPropName))
    return;
  FPropName.clear();
  ReadData(this);
}

void TReader::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc, bool)
{
  if (FPropName.empty() || !ReadData || !AnsiSameText(Name, FPropName))
    return;
  FPropName.clear();
  if (ReadValue() != vaBinary)
    ValueError();
  std::uint32_t n = ReadLength();
  TMemoryStream data;
  data.SetSize(n);
  ReadExact(data.Memory(), n);
  data.SetPosition(0);
  ReadData(&data);
}

void TReader::ReadProperties(TPersistent* Instance)
{
  while (!EndOfList()) {
    FPropName = ReadStr();
    std::string name = FPropName;
    Instance->DefineProperties(this);
    if (!FPropName.empty()) {
      FPropName.clear();
      throw EReadError(Format(SPropertyDoesNotExist, name));
    }
  }
  ReadListEnd();
}
