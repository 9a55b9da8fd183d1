// TConversationLines: the chat window's conversation as a list of lines held
// in one text, each line followed by CR LF, with where each line starts. A
// conversation only grows at its end and is read whole (by the viewer, by a
// save); a string object per line cost more than the text of most lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Strings.h"

class TConversationLines : public TStrings {
public:
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;

protected:
  std::string Get(int Index) const override;
  int GetCount() const override { return int(FStarts.size()); }
  // The text is kept as Text gives it.
  std::string GetTextStr() const override { return FText; }

private:
  std::size_t EndOf(std::size_t Index) const;

  std::string FText;
  std::vector<std::uint32_t> FStarts;
};
