// The writers' view of the stream being written: text gathered in memory and
// handed to the stream in large pieces.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Stream.h"

class TXmlSink {
public:
  explicit TXmlSink(TStream& Stream) : FStream(Stream) {}
  ~TXmlSink() = default;
  TXmlSink(const TXmlSink&) = delete;
  TXmlSink& operator=(const TXmlSink&) = delete;

  // Writers append to this text, then call Check.
  std::string& Text() { return FText; }
  // Hands the text to the stream once enough of it is gathered.
  void Check()
  {
    if (FText.size() >= FlushSize)
      Flush();
  }
  // Hands what was gathered to the stream (EWriteError when it refuses).
  void Flush()
  {
    if (!FText.empty())
      FStream.WriteBuffer(FText.data(), Integer(FText.size()));
    FText.clear();
  }

private:
  static constexpr std::size_t FlushSize = 65536;
  TStream& FStream;
  std::string FText;
};
