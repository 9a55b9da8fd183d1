#include "plugins/smileys/SmileyTable.h"

#include "api/WordHelpers.h"
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
  std::vector<TSmiley> table;
  bool header = true;
  std::size_t start = 0;
  while (start < Content.size() && table.size() < MaxSmileys) {
    std::size_t end = Content.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
      end = Content.size();
    std::string_view line = Content.substr(start, end - start);
    start = end;
    if (start < Content.size() && Content[start] == '\r')
      ++start;
    if (start < Content.size() && Content[start] == '\n')
      ++start;
    if (header) {
      header = false;
      continue;
    }
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
