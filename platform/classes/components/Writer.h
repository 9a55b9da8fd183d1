// TWriter: writes property values in the class library's stream format (see
// Filer.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/classes/components/Filer.h"

class TWriter : public TFiler {
public:
  explicit TWriter(TStream* Stream) : TFiler(Stream) {}

  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // Writes the instance's defined properties that have data, then the end marker.
  void WriteProperties(TPersistent* Instance);

  void WriteValue(TValueType Value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
  // In the smallest integer form that holds the value.
  void WriteInteger(std::int64_t Value);
  void WriteString(const std::string& Value);
  void WriteWideString(const std::u16string& Value);
  void WriteIdent(const std::string& Ident);
  void WriteStr(const std::string& Value);

private:
  void WritePropName(const std::string& Name);
  void Write(const void* Buffer, std::int64_t Count);
};
