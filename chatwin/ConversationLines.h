// TConversationLines: the chat window's conversation as a list of lines held
// in one text, each line followed by CR LF, with where each line starts. A
// conversation only grows at its end and is read whole (by the viewer, by a
// save); a string object per line cost more than the text of most lines.
// The text is shared with the viewer, which reads it in place (SharedText):
// lines added at the end append to it, any other change rewrites it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/parser/AppendOnlyText.h"
#include "platform/base/Strings.h"

class TConversationLines : public TStrings {
public:
  TConversationLines() = default;
  // A copy would share the text that only its owner may change.
  TConversationLines(const TConversationLines&) = delete;
  TConversationLines& operator=(const TConversationLines&) = delete;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  // Room for Bytes more text in Lines more lines at the end, so that adding
  // them copies the text at most once.
  void Reserve(std::size_t Bytes, std::size_t Lines);
  // Adds a line at the end whose text Write appends to the string it is
  // handed, about Size bytes of it: a long message is written in place
  // rather than built apart and copied in.
  template <class TWriter>
  void AddWritten(std::size_t Size, TWriter&& Write)
  {
    const std::size_t Start = FText->Size();
    Reserve(Size + 2, 1);
    FText->AppendWritten(Write);
    FText->Append("\r\n");
    AddStart(Start);
  }
  // The text the lines are held in, as the viewer reads it.
  std::shared_ptr<const TAppendOnlyText> SharedText() const { return FText; }

protected:
  std::string Get(int Index) const override;
  int GetCount() const override { return int(FStarts.size()); }
  // The text is kept as Text gives it.
  std::string GetTextStr() const override { return FText->Str(); }

private:
  std::size_t EndOf(std::size_t Index) const;
  // Records a line written at the end from Start on; the text is cut back
  // when the line would take it past the 32-bit line starts.
  void AddStart(std::size_t Start);

  std::shared_ptr<TAppendOnlyText> FText = std::make_shared<TAppendOnlyText>();
  std::vector<std::uint32_t> FStarts;
};
