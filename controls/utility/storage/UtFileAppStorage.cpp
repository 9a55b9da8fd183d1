#include "controls/utility/storage/UtFileAppStorage.h"

#include "platform/base/Exception.h"
#include "platform/base/FileSystem.h"
#include "platform/base/HexDigit.h"
#include "platform/base/WholeFile.h"

namespace {

const char Header[] = "; Corvane settings, version 1: one value a line, path=value\n";

std::string Escape(std::string_view text, bool isPath)
{
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = std::uint8_t(text[i]);
    bool escape = c == '%' || c < 0x20 || c == 0x7F || (isPath && c == '=') ||
                  (isPath && i == 0 && (c == ';' || c == '#'));
    if (escape) {
      out += '%';
      out += Digits[c >> 4];
      out += Digits[c & 15];
    } else {
      out += char(c);
    }
  }
  return out;
}

std::string Unescape(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 && HexDigitValue(text[i + 2]) >= 0) {
      out += char(HexDigitValue(text[i + 1]) << 4 | HexDigitValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

TUtFileAppStorage::TUtFileAppStorage(const std::string& FileName, TComponent* AOwner)
    : TUtMemoryAppStorage(AOwner), FFileName(FileName)
{
  Reload();
}

TUtFileAppStorage::~TUtFileAppStorage()
{
  if (FDirty) {
    try {
      Flush();
    } catch (const Exception&) {
    }
  }
}

void TUtFileAppStorage::SetFileName(const std::string& Value)
{
  FFileName = Value;
  Reload();
}

void TUtFileAppStorage::Reload()
{
  FValues.clear();
  FDirty = false;
  if (FFileName.empty() || !FileExists(FFileName))
    return;
  Parse(ReadWholeFile(FFileName, MaxFileSize), FValues);
}

void TUtFileAppStorage::Flush()
{
  if (!FFileName.empty())
    WriteWholeFile(FFileName, Serialize(FValues));
  FDirty = false;
}

void TUtFileAppStorage::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FDirty)
    Flush();
}

void TUtFileAppStorage::Changed()
{
  if (FUpdateCount > 0)
    FDirty = true;
  else
    Flush();
}

std::string TUtFileAppStorage::Serialize(const TValueMap& Values)
{
  std::string text = Header;
  for (const auto& [path, value] : Values) {
    text += Escape(path, true);
    text += '=';
    text += Escape(value, false);
    text += '\n';
  }
  return text;
}

void TUtFileAppStorage::Parse(std::string_view Text, TValueMap& Values)
{
  while (!Text.empty()) {
    std::size_t end = Text.find('\n');
    std::string_view line = Text.substr(0, end);
    Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.empty() || line[0] == ';' || line[0] == '#')
      continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      continue;
    std::string path = TUtCustomAppStorage::JoinPaths({Unescape(line.substr(0, equals))});
    if (path.empty())
      continue;
    Values[path] = Unescape(line.substr(equals + 1));
  }
}
