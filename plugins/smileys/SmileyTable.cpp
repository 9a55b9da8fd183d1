#include "plugins/smileys/SmileyTable.h"

#include "api/WordHelpers.h"
#include "platform/base/StringList.h"
#include "platform/base/WholeFile.h"

namespace {

const TWordDelimiters& TabDelimiter()
{
  static const TWordDelimiters tab{static_cast<unsigned char>('\t')};
  return tab;
}

}  // namespace

std::vector<TSmiley> ParseSmileyTable(std::string_view Content)
{
  TStringList lines;
  lines.SetText(Content);
  std::vector<TSmiley> table;
  // The first line is the file's header.
  for (int i = 1; i < lines.Count() && table.size() < MaxSmileys; ++i) {
    const std::string line = lines.Strings(i);
    TSmiley smiley{NthWord(1, line, TabDelimiter()), NthWord(3, line, TabDelimiter())};
    if (!smiley.Text.empty())
      table.push_back(std::move(smiley));
  }
  return table;
}

std::vector<TSmiley> LoadSmileyTable(const std::string& FileName)
{
  return ParseSmileyTable(ReadWholeFile(FileName, MaxSmileyFileSize));
}
