// TReader: reads property values of the class library's stream format (see
// Filer.h). Malformed or truncated data raises EReadError; lengths are checked
// against what the stream still holds before anything is allocated, and lists
// nest at most 64 deep.
#pragma once

#include <cstdint>
#include <string>

#include "platform/classes/components/Filer.h"

class TReader : public TFiler {
public:
  explicit TReader(TStream* Stream) : TFiler(Stream) {}

  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // Reads property after property up to the end marker, handing each to the
  // instance's DefineProperties. A property nobody defines raises EReadError.
  void ReadProperties(TPersistent* Instance);

  TValueType ReadValue();
  TValueType NextValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  bool ReadBoolean();
  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  std::string ReadString();
  // Any text value as UTF-16 (vaWString as stored, the others from UTF-8).
  std::u16string ReadWideString();
  std::string ReadIdent();
  // A length-prefixed name (one length byte), as property names are stored.
  std::string ReadStr();
  void SkipValue();

private:
  void ReadExact(void* Buffer, std::int64_t Count);
  std::int64_t Remaining();
  std::uint32_t ReadLength();
  void SkipValue(int Depth);
  [[noreturn]] void ValueError();

  std::string FPropName;
};
