#include "platform/base/RegistryStore.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/base/Exception.h"
#include "platform/base/HexDigit.h"
#include "platform/base/WholeFile.h"

namespace {

constexpr std::size_t MaxFileSize = std::size_t(16) << 20;
// The platform's own limits: 512 levels, 255 characters a level. They also keep
// a hostile file from making one key per level of a very deep path, each with
// its full path, which would need memory quadratic in the line's length.
constexpr std::size_t MaxKeyDepth = 512;
constexpr std::size_t MaxKeyPart = 255;
constexpr std::size_t MaxKeys = 65536;
constexpr std::size_t MaxValues = 262144;
constexpr std::string_view Hive = "HKEY_CURRENT_USER";

std::string Lower(std::string_view text)
{
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  return result;
}

std::string_view Trim(std::string_view text)
{
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

bool WithinLimits(std::string_view path)
{
  std::size_t depth = 0, part = 0;
  for (char c : path) {
    if (c == '\\') {
      depth += part > 0;
      part = 0;
    } else if (++part > MaxKeyPart) {
      return false;
    }
  }
  depth += part > 0;
  return depth <= MaxKeyDepth;
}

// Reads a quoted string at the start of text (after its opening quote);
// returns false when the closing quote is missing. Only \\ and \" are escapes;
// any other backslash stays as written.
bool ReadQuoted(std::string_view& text, std::string& out)
{
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
      out += text[i + 1];
      i += 2;
      continue;
    }
    out += c;
    ++i;
  }
  return false;
}

// "01,02,ff" -> bytes; a comma may end the list (before a continuation
// that never came). False on anything else.
bool ReadHexBytes(std::string_view text, std::vector<BYTE>& out)
{
  text = Trim(text);
  while (!text.empty()) {
    std::size_t comma = text.find(',');
    std::string_view item = Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : Trim(text.substr(comma + 1));
    if (item.empty() || item.size() > 2)
      return false;
    int value = 0;
    for (char c : item) {
      int digit = HexDigitValue(c);
      if (digit < 0)
        return false;
      value = value * 16 + digit;
    }
    out.push_back(BYTE(value));
  }
  return true;
}

// Parses the data part of a value line; false when it cannot be read.
bool ReadData(std::string_view data, TRegistryValue& value)
{
  data = Trim(data);
  if (!data.empty() && data.front() == '"') {
    data.remove_prefix(1);
    std::string text;
    if (!ReadQuoted(data, text) || !Trim(data).empty())
      return false;
    value.Type = REG_SZ;
    value.Data.assign(text.begin(), text.end());
    value.Data.push_back(0);
    return true;
  }
  std::string lower = Lower(data.substr(0, std::min<std::size_t>(data.size(), 12)));
  if (lower.rfind("dword:", 0) == 0) {
    std::string_view digits = Trim(data.substr(6));
    if (digits.empty() || digits.size() > 8)
      return false;
    DWORD number = 0;
    for (char c : digits) {
      int d = HexDigitValue(c);
      if (d < 0)
        return false;
      number = number * 16 + DWORD(d);
    }
    value.Type = REG_DWORD;
    for (int i = 0; i < 4; ++i)
      value.Data.push_back(BYTE(number >> (8 * i)));
    return true;
  }
  if (lower.rfind("hex:", 0) == 0) {
    value.Type = REG_BINARY;
    return ReadHexBytes(data.substr(4), value.Data);
  }
  if (lower.rfind("hex(", 0) == 0) {
    std::size_t close = data.find(')');
    if (close == std::string_view::npos || close + 1 >= data.size() || data[close + 1] != ':')
      return false;
    std::string_view type = data.substr(4, close - 4);
    if (type.empty() || type.size() > 8)
      return false;
    DWORD number = 0;
    for (char c : type) {
      int d = HexDigitValue(c);
      if (d < 0)
        return false;
      number = number * 16 + DWORD(d);
    }
    value.Type = number;
    return ReadHexBytes(data.substr(close + 2), value.Data);
  }
  return false;
}

struct TRegistrySource {
  std::mutex Lock;
  std::string FileName;  // "" for the default location
  std::shared_ptr<const TRegistryStore> Store;
  std::vector<TRegistryChangeHandler> Handlers;
};

TRegistrySource& Source()
{
  static TRegistrySource* source = new TRegistrySource;
  return *source;
}

}  // namespace

std::string TRegistryStore::NormalizeKey(std::string_view path)
{
  // Separators collapse and leading or trailing ones go: "\A\\B\" is "a\b".
  std::string result;
  std::size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && path[i] == '\\')
      ++i;
    std::size_t end = path.find('\\', i);
    if (end == std::string_view::npos)
      end = path.size();
    if (end > i) {
      if (!result.empty())
        result += '\\';
      result += Lower(path.substr(i, end - i));
    }
    i = end;
  }
  return result;
}

namespace {

// Calls visit(part) for each non-empty part of a "\"-separated path.
template <class Visit>
bool ForEachPart(std::string_view path, Visit visit)
{
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t end = path.find('\\', i);
    if (end == std::string_view::npos)
      end = path.size();
    if (end > i && !visit(path.substr(i, end - i)))
      return false;
    i = end + 1;
  }
  return true;
}

}  // namespace

TRegistryKey* TRegistryStore::MakeKey(std::string_view path)
{
  TRegistryKey* key = &FRoot;
  bool ok = ForEachPart(path, [&](std::string_view part) {
    auto& child = key->SubKeys[Lower(part)];
    if (!child) {
      if (FKeyCount >= MaxKeys)
        return false;
      ++FKeyCount;
      child = std::make_unique<TRegistryKey>();
      child->Name = std::string(part);
    }
    key = child.get();
    return true;
  });
  return ok ? key : nullptr;
}

const TRegistryKey* TRegistryStore::FindKey(std::string_view path) const
{
  const TRegistryKey* key = &FRoot;
  ForEachPart(path, [&](std::string_view part) {
    auto found = key->SubKeys.find(Lower(part));
    key = found == key->SubKeys.end() ? nullptr : found->second.get();
    return key != nullptr;
  });
  return key;
}

std::shared_ptr<const TRegistryStore> TRegistryStore::Parse(std::string_view text)
{
  auto store = std::shared_ptr<TRegistryStore>(new TRegistryStore);
  if (text.size() > MaxFileSize)
    return store;
  if (text.substr(0, 3) == "\xEF\xBB\xBF")
    text.remove_prefix(3);

  // Lines, with "\" at the end of a line joining the next one.
  std::vector<std::string> lines;
  std::string pending;
  bool continued = false;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::string_view trimmed = Trim(line);
    std::string joined = continued ? std::move(pending) + std::string(trimmed) : std::string(trimmed);
    pending.clear();
    // A data part such as "hex:01,\" goes on on the next line.
    continued = !joined.empty() && joined.back() == '\\' && joined.front() != ';';
    if (continued) {
      joined.pop_back();
      pending = std::move(joined);
      continue;
    }
    lines.push_back(std::move(joined));
  }
  if (!pending.empty())
    lines.push_back(std::move(pending));

  std::size_t first = 0;
  while (first < lines.size() && lines[first].empty())
    ++first;
  if (first == lines.size() || lines[first] != "REGEDIT4")
    return store;

  TRegistryKey* current = nullptr;
  for (std::size_t n = first + 1; n < lines.size(); ++n) {
    std::string_view line = lines[n];
    if (line.empty() || line.front() == ';')
      continue;
    if (line.front() == '[') {
      current = nullptr;
      std::size_t close = line.rfind(']');
      if (close == std::string_view::npos)
        continue;
      std::string_view path = line.substr(1, close - 1);
      if (path.size() < Hive.size() || Lower(path.substr(0, Hive.size())) != Lower(Hive))
        continue;  // another hive, or a deletion "[-...]"
      std::string_view rest = path.substr(Hive.size());
      if ((!rest.empty() && rest.front() != '\\') || !WithinLimits(rest))
        continue;
      current = store->MakeKey(rest);  // null past the key limit: the section is skipped
      continue;
    }
    if (!current)
      continue;
    TRegistryValue value;
    std::string_view data;
    if (line.front() == '@') {
      data = Trim(line.substr(1));
    } else if (line.front() == '"') {
      line.remove_prefix(1);
      if (!ReadQuoted(line, value.Name))
        continue;
      data = Trim(line);
    } else {
      continue;
    }
    if (data.empty() || data.front() != '=')
      continue;
    data.remove_prefix(1);
    if (Trim(data) == "-" || !ReadData(data, value))
      continue;
    std::string name = Lower(value.Name);
    if (auto existing = current->Values.find(name); existing != current->Values.end()) {
      existing->second = std::move(value);  // the last one written wins
    } else if (store->FValueCount < MaxValues) {
      ++store->FValueCount;
      current->Values.emplace(std::move(name), std::move(value));
    }
  }
  return store;
}

void SetRegistryFile(std::string_view fileName)
{
  std::vector<TRegistryChangeHandler> handlers;
  {
    std::lock_guard guard(Source().Lock);
    handlers = Source().Handlers;
  }
  // Only a watcher needs the hive as it was: without one the new file is read lazily.
  std::shared_ptr<const TRegistryStore> before = handlers.empty() ? nullptr : CurrentRegistry();
  {
    std::lock_guard guard(Source().Lock);
    Source().FileName = std::string(fileName);
    Source().Store.reset();
  }
  if (handlers.empty())
    return;
  std::shared_ptr<const TRegistryStore> after = CurrentRegistry();
  for (TRegistryChangeHandler handler : handlers)
    handler(*before, *after);
}

void AddRegistryChangeHandler(TRegistryChangeHandler handler)
{
  std::lock_guard guard(Source().Lock);
  auto& handlers = Source().Handlers;
  if (handler && std::find(handlers.begin(), handlers.end(), handler) == handlers.end())
    handlers.push_back(handler);
}

void RemoveRegistryChangeHandler(TRegistryChangeHandler handler)
{
  std::lock_guard guard(Source().Lock);
  auto& handlers = Source().Handlers;
  handlers.erase(std::remove(handlers.begin(), handlers.end(), handler), handlers.end());
}

std::string RegistryFile()
{
  std::lock_guard guard(Source().Lock);
  if (!Source().FileName.empty())
    return Source().FileName;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/')
    return std::string(config) + "/corvane/registry.reg";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/corvane/registry.reg";
}

std::shared_ptr<const TRegistryStore> CurrentRegistry()
{
  const std::string fileName = RegistryFile();
  std::lock_guard guard(Source().Lock);
  if (!Source().Store) {
    std::string text;
    try {
      text = ReadWholeFile(fileName, MaxFileSize);
    } catch (const Exception&) {
      text.clear();  // no file, or one too large: an empty hive
    }
    Source().Store = TRegistryStore::Parse(text);
  }
  return Source().Store;
}
