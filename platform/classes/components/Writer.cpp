#include "platform/classes/components/Writer.h"

#include <limits>

#include "platform/base/MemoryStream.h"
#include "platform/base/Persistent.h"
#include "platform/base/Stream.h"

void TWriter::Write(const void* Buffer, std::int64_t Count)
{
  if (Count > 0)
    FStream->WriteBuffer(Buffer, Integer(Count));
}

void TWriter::WriteValue(TValueType Value)
{
  std::uint8_t v = Value;
  Write(&v, 1);
}

void TWriter::WriteInteger(std::int64_t Value)
{
  if (Value >= -128 && Value <= 127) {
    WriteValue(vaInt8);
    std::int8_t v = std::int8_t(Value);
    Write(&v, 1);
  } else if (Value >= -32768 && Value <= 32767) {
    WriteValue(vaInt16);
    std::int16_t v = std::int16_t(Value);
    Write(&v, 2);
  } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
    WriteValue(vaInt32);
    std::int32_t v = std::int32_t(Value);
    Write(&v, 4);
  } else {
    WriteValue(vaInt64);
    Write(&Value, 8);
  }
}

void TWriter::WriteString(const std::string& Value)
{
  if (Value.size() <= 255) {
    WriteValue(vaString);
    std::uint8_t n = std::uint8_t(Value.size());
    Write(&n, 1);
  } else {
    WriteValue(vaLString);
    std::uint32_t n = std::uint32_t(Value.size());
    Write(&n, 4);
  }
  Write(Value.data(), std::int64_t(Value.size()));
}

void TWriter::WriteWideString(const std::u16string& Value)
{
  WriteValue(vaWString);
  std::uint32_t n = std::uint32_t(Value.size());
  Write(&n, 4);
  Write(Value.data(), std::int64_t(Value.size()) * 2);
}

void TWriter::WriteStr(const std::string& Value)
{
  // Names are identifiers: one length byte holds them.
  std::uint8_t n = std::uint8_t(Value.size() > 255 ? 255 : Value.size());
  Write(&n, 1);
  Write(Value.data(), n);
}

void TWriter::WriteIdent(const std::string& Ident)
{
  if (Ident == "False")
    WriteValue(vaFalse);
  else if (Ident == "True")
    WriteValue(vaTrue);
  else if (Ident == "nil")
    WriteValue(vaNil);
  else if (Ident == "Null")
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WritePropName(const std::string& Name)
{
  WriteStr(Name);
}

void TWriter::DefineProperty(const std::string& Name, TReaderProc, TWriterProc WriteData, bool HasData)
{
  if (!HasData || !WriteData)
    return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, TStreamProc, TStreamProc WriteData, bool HasData)
{
  if (!HasData || !WriteData)
    return;
  TMemoryStream data;
  WriteData(&data);
  WritePropName(Name);
  WriteValue(vaBinary);
  std::uint32_t n = std::uint32_t(data.Size());
  Write(&n, 4);
  Write(data.Memory(), data.Size());
}

void TWriter::WriteProperties(TPersistent* Instance)
{
  Instance->DefineProperties(this);
  WriteListEnd();
}
