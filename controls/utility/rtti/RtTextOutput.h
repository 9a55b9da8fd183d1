// An information output that collects the listing as lines of text, two
// blanks of indentation per level.
#pragma once

#include <string>
#include <vector>

#include "controls/utility/rtti/RtRTTI.h"

class TRtTextOutput : public TInterfacedObject<IRtInfoOutput> {
public:
  int Indentation() override { return FIndent; }
  void SetIndentation(int levels) override { FIndent = levels < 0 ? 0 : levels; }
  void Write(const std::string& Text) override;
  void Writeln(const std::string& Text = {}) override;
  void AddIndent() override { ++FIndent; }
  void RemoveIndent() override
  {
    if (FIndent > 0)
      --FIndent;
  }

  // The finished lines, and the line being written (empty when none is).
  const std::vector<std::string>& Lines() const { return FLines; }
  const std::string& Pending() const { return FPending; }
  // Every line followed by a line feed, then the pending text.
  std::string Text() const;

private:
  std::vector<std::string> FLines;
  std::string FPending;
  bool FLineStarted = false;
  int FIndent = 0;
};
