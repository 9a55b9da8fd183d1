#include "platform/win/shell/DropFiles.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Utf.h"

namespace {

// The names of a block, read within its size.
bool ReadNames(HDROP drop, std::vector<std::u16string>& names)
{
  std::size_t size = GlobalSize(drop);
  if (size < sizeof(DROPFILES))
    return false;
  const BYTE* p = static_cast<const BYTE*>(GlobalLock(drop));
  if (!p)
    return false;
  DROPFILES header;
  std::memcpy(&header, p, sizeof(header));
  std::size_t at = header.pFiles;
  while (at < size) {
    if (header.fWide) {
      std::u16string name;
      while (at + 1 < size) {
        char16_t c = char16_t(p[at] | (p[at + 1] << 8));
        at += 2;
        if (!c)
          break;
        name += c;
      }
      if (name.empty())
        break;
      names.push_back(std::move(name));
    } else {
      const char* start = reinterpret_cast<const char*>(p + at);
      std::size_t n = strnlen(start, size - at);
      if (n == 0)
        break;
      names.push_back(UTF8Decode(std::string_view(start, n)));
      at += n + 1;
    }
  }
  GlobalUnlock(drop);
  return true;
}

template <class Char, class Text>
UINT Answer(HDROP drop, UINT index, Char* buffer, UINT size, Text convert)
{
  std::vector<std::u16string> names;
  if (!ReadNames(drop, names))
    return 0;
  if (index == 0xFFFFFFFF)
    return UINT(names.size());
  if (index >= names.size())
    return 0;
  auto text = convert(names[index]);
  if (!buffer)
    return UINT(text.size());
  if (size == 0)
    return 0;
  UINT n = UINT(std::min<std::size_t>(text.size(), size - 1));
  if constexpr (sizeof(Char) == 1)
    n = UINT(CutAtCharBoundary(text, n).size());  // never half a character
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

}  // namespace

HDROP MakeDropFiles(const std::vector<std::string>& utf8Names, TPoint point, bool nonClient)
{
  std::u16string list;
  for (const std::string& name : utf8Names) {
    list += UTF8Decode(name);
    list += u'\0';
  }
  list += u'\0';
  std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(char16_t);
  HDROP drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!drop)
    return nullptr;
  BYTE* p = static_cast<BYTE*>(GlobalLock(drop));
  DROPFILES header;
  header.pt = point;
  header.fNC = nonClient ? TRUE : FALSE;
  std::memcpy(p, &header, sizeof(header));
  for (std::size_t i = 0; i < list.size(); ++i) {
    p[sizeof(header) + 2 * i] = BYTE(list[i] & 0xFF);
    p[sizeof(header) + 2 * i + 1] = BYTE(list[i] >> 8);
  }
  GlobalUnlock(drop);
  return drop;
}

UINT DragQueryFileA(HDROP drop, UINT index, char* buffer, UINT size)
{
  return Answer(drop, index, buffer, size, [](const std::u16string& name) { return UTF8Encode(name); });
}

UINT DragQueryFileW(HDROP drop, UINT index, char16_t* buffer, UINT size)
{
  return Answer(drop, index, buffer, size, [](const std::u16string& name) { return name; });
}

BOOL DragQueryPoint(HDROP drop, TPoint* point)
{
  if (!point || GlobalSize(drop) < sizeof(DROPFILES))
    return FALSE;
  const void* p = GlobalLock(drop);
  if (!p)
    return FALSE;
  DROPFILES header;
  std::memcpy(&header, p, sizeof(header));
  GlobalUnlock(drop);
  *point = header.pt;
  return header.fNC ? FALSE : TRUE;
}

void DragFinish(HDROP drop) { GlobalFree(drop); }
