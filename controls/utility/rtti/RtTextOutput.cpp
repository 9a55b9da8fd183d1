#include "controls/utility/rtti/RtTextOutput.h"

void TRtTextOutput::Write(const std::string& Text)
{
  // A line that stays empty gets no indentation either.
  if (!FLineStarted && !Text.empty()) {
    FPending.assign(std::size_t(2 * FIndent), ' ');
    FLineStarted = true;
  }
  FPending += Text;
}

void TRtTextOutput::Writeln(const std::string& Text)
{
  Write(Text);
  FLines.push_back(std::move(FPending));
  FPending.clear();
  FLineStarted = false;
}

std::string TRtTextOutput::Text() const
{
  std::string all;
  for (const std::string& line : FLines)
    all += line + "\n";
  return all + FPending;
}
