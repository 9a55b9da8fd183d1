// TAppendOnlyText: a text that grows only at its end, held by its owner and
// read in place by others while it grows (the viewer reads a chat window's
// conversation where the window holds it, rather than a copy). Bytes once
// there never change under a reader: any other edit goes through Rewrite,
// which counts a new revision, and a reader that sees another revision
// reads the text again from its start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TAppendOnlyText {
public:
  const std::string& Str() const { return FText; }
  std::size_t Size() const { return FText.size(); }
  std::size_t Capacity() const { return FText.capacity(); }
  std::uint64_t Revision() const { return FRevision; }

  void Append(std::string_view More) { FText.append(More); }
  // Write appends to the string it is handed, and does nothing else to it:
  // a long piece is written in place rather than built apart and copied in.
  template <class TWriter>
  void AppendWritten(TWriter&& Write)
  {
    Write(FText);
  }
  void Reserve(std::size_t Bytes) { FText.reserve(Bytes); }
  // The text to change in any way: its readers start again.
  std::string& Rewrite()
  {
    ++FRevision;
    return FText;
  }

private:
  std::string FText;
  std::uint64_t FRevision = 0;
};
