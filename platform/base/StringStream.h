// TStringStream: a stream over a string, which DataString hands back.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Stream.h"

class TStringStream : public TStream {
public:
  explicit TStringStream(std::string_view AString = {}) : FDataString(AString) {}

  using TStream::Seek;
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return Int64(FDataString.size()); }
  void SetSize(Int64 NewSize) override;

  // At most Count bytes from the position.
  std::string ReadString(Integer Count);
  void WriteString(std::string_view AString);
  const std::string& DataString() const { return FDataString; }

private:
  std::string FDataString;
  Int64 FPosition = 0;
};
