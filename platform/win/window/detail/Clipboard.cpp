// Global memory blocks and the process's clipboard.
#include "platform/win/window/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

struct TClipboardBlock {
  std::vector<BYTE> Data;
  int Locks = 0;
  bool Fixed = false;
};

struct TMemory {
  std::mutex Lock;
  std::map<std::uintptr_t, std::unique_ptr<TClipboardBlock>> Blocks;
  std::uintptr_t Next = 1;
};

TMemory& Memory()
{
  static auto* m = new TMemory;
  return *m;
}

// Moveable handles carry a tag in their top byte, so they never collide with addresses.
constexpr std::uintptr_t MoveableTag = std::uintptr_t(0x4D) << 56;

TClipboardBlock* Find(HGLOBAL h)
{
  auto& blocks = Memory().Blocks;
  auto it = blocks.find(reinterpret_cast<std::uintptr_t>(h));
  return it == blocks.end() ? nullptr : it->second.get();
}

struct TEntry {
  UINT Format = 0;
  HANDLE Data = nullptr;  // null: promised, rendered on demand
};

struct TClipboard {
  std::recursive_mutex Lock;
  HWND OpenWindow = nullptr;
  DWORD OpenThread = 0;
  bool Open = false;
  HWND Owner = nullptr;
  bool Foreign = false;  // another program owns it: ask the display
  std::vector<TEntry> Entries;
  std::map<UINT, std::string> Names;
  // While the owner renders a promised format on WM_RENDERFORMAT, its thread
  // may set that format without opening the clipboard (another thread holds it).
  UINT RenderingFormat = 0;
  DWORD RenderingThread = 0;
};

TClipboard& Clip()
{
  static auto* c = new TClipboard;
  return *c;
}

bool OpenByMe()
{
  TClipboard& c = Clip();
  return c.Open && c.OpenThread == CurrentThreadId();
}

HGLOBAL BlockFrom(const void* data, std::size_t size)
{
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!h)
    return nullptr;
  void* p = GlobalLock(h);
  if (size)
    std::memcpy(p, data, size);
  GlobalUnlock(h);
  return h;
}

std::vector<BYTE> BlockBytes(HANDLE h)
{
  std::lock_guard<std::mutex> lock(Memory().Lock);
  TClipboardBlock* b = Find(h);
  return b ? b->Data : std::vector<BYTE>();
}

// UTF-8 and UTF-16 text, each zero-terminated, for the two text formats.
std::u16string Utf8To16(const std::string& s)
{
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp;
    int n;
    if (c < 0x80) {
      cp = c;
      n = 1;
    } else if ((c >> 5) == 6) {
      cp = c & 0x1F;
      n = 2;
    } else if ((c >> 4) == 14) {
      cp = c & 0x0F;
      n = 3;
    } else if ((c >> 3) == 30) {
      cp = c & 0x07;
      n = 4;
    } else {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (i + std::size_t(n) > s.size()) {
      out += u'\uFFFD';
      break;
    }
    bool bad = false;
    for (int k = 1; k < n; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + std::size_t(k)]);
      if ((d & 0xC0) != 0x80)
        bad = true;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (bad || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
    i += std::size_t(n);
  }
  return out;
}

std::string Utf16To8(const std::u16string& s)
{
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += char(cp);
    } else if (cp < 0x800) {
      out += char(0xC0 | (cp >> 6));
      out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += char(0xE0 | (cp >> 12));
      out += char(0x80 | ((cp >> 6) & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    } else {
      out += char(0xF0 | (cp >> 18));
      out += char(0x80 | ((cp >> 12) & 0x3F));
      out += char(0x80 | ((cp >> 6) & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::string TextOf(const std::vector<BYTE>& bytes)
{
  std::size_t n = 0;
  while (n < bytes.size() && bytes[n])
    ++n;
  return std::string(reinterpret_cast<const char*>(bytes.data()), n);
}

std::u16string WideTextOf(const std::vector<BYTE>& bytes)
{
  std::u16string s;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t c = char16_t(bytes[i] | (bytes[i + 1] << 8));
    if (!c)
      break;
    s += c;
  }
  return s;
}

HANDLE FindEntry(UINT format, bool& present)
{
  for (auto& e : Clip().Entries)
    if (e.Format == format) {
      present = true;
      return e.Data;
    }
  present = false;
  return nullptr;
}

std::vector<UINT> ForeignFormats()
{
  std::vector<UINT> formats;
  if (TDisplayBackend* display = CurrentDisplayBackend())
    for (auto& name : display->ForeignClipboardFormats())
      if (UINT f = ClipboardFormatFromBridgeName(name))
        formats.push_back(f);
  return formats;
}

void FreeEntries()
{
  for (auto& e : Clip().Entries)
    if (e.Data)
      GlobalFree(e.Data);
  Clip().Entries.clear();
}

const std::pair<UINT, const char*> StandardNames[] = {
    {CF_TEXT, "CF_TEXT"}, {CF_BITMAP, "CF_BITMAP"}, {CF_OEMTEXT, "CF_OEMTEXT"}, {CF_DIB, "CF_DIB"},
    {CF_UNICODETEXT, "CF_UNICODETEXT"}, {CF_HDROP, "CF_HDROP"}, {CF_LOCALE, "CF_LOCALE"}};

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T size)
{
  if (size > (std::size_t(1) << 31))
    return nullptr;
  auto block = std::make_unique<TClipboardBlock>();
  block->Data.assign(std::max<std::size_t>(size, 1), 0);
  block->Data.resize(size);
  block->Data.reserve(std::max<std::size_t>(size, 1));
  block->Fixed = !(flags & GMEM_MOVEABLE);
  std::lock_guard<std::mutex> lock(Memory().Lock);
  std::uintptr_t key;
  if (block->Fixed)
    key = reinterpret_cast<std::uintptr_t>(block->Data.data());
  else
    key = MoveableTag | Memory().Next++;
  Memory().Blocks[key] = std::move(block);
  return reinterpret_cast<HGLOBAL>(key);
}

HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T size, UINT flags)
{
  (void)flags;
  std::lock_guard<std::mutex> lock(Memory().Lock);
  TClipboardBlock* b = Find(h);
  if (!b || size > (std::size_t(1) << 31))
    return nullptr;
  if (b->Fixed) {
    // A fixed block's address is its handle: it may only grow within its room.
    if (size > b->Data.capacity())
      return nullptr;
    b->Data.resize(size);
    return h;
  }
  if (b->Locks > 0)
    return nullptr;
  b->Data.resize(size);
  return h;
}

void* GlobalLock(HGLOBAL h)
{
  std::lock_guard<std::mutex> lock(Memory().Lock);
  TClipboardBlock* b = Find(h);
  if (!b)
    return nullptr;
  ++b->Locks;
  return b->Data.capacity() ? b->Data.data() : nullptr;
}

BOOL GlobalUnlock(HGLOBAL h)
{
  std::lock_guard<std::mutex> lock(Memory().Lock);
  TClipboardBlock* b = Find(h);
  if (!b || b->Locks == 0)
    return FALSE;
  --b->Locks;
  return b->Locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL h)
{
  std::lock_guard<std::mutex> lock(Memory().Lock);
  TClipboardBlock* b = Find(h);
  return b ? b->Data.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL h)
{
  std::lock_guard<std::mutex> lock(Memory().Lock);
  auto& blocks = Memory().Blocks;
  auto it = blocks.find(reinterpret_cast<std::uintptr_t>(h));
  if (it == blocks.end())
    return h;
  blocks.erase(it);
  return nullptr;
}

HGLOBAL GlobalHandle(const void* memory)
{
  std::lock_guard<std::mutex> lock(Memory().Lock);
  for (auto& [key, block] : Memory().Blocks)
    if (block->Data.data() == memory)
      return reinterpret_cast<HGLOBAL>(key);
  return nullptr;
}

BOOL OpenClipboard(HWND owner)
{
  TClipboard& c = Clip();
  std::lock_guard<std::recursive_mutex> lock(c.Lock);
  if (c.Open && c.OpenThread != CurrentThreadId())
    return FALSE;
  if (owner && !IsWindow(owner))
    return FALSE;
  c.Open = true;
  c.OpenThread = CurrentThreadId();
  c.OpenWindow = owner;
  return TRUE;
}

BOOL CloseClipboard()
{
  TClipboard& c = Clip();
  std::lock_guard<std::recursive_mutex> lock(c.Lock);
  if (!OpenByMe())
    return FALSE;
  c.Open = false;
  c.OpenWindow = nullptr;
  c.OpenThread = 0;
  return TRUE;
}

BOOL EmptyClipboard()
{
  TClipboard& c = Clip();
  HWND previous;
  {
    std::lock_guard<std::recursive_mutex> lock(c.Lock);
    if (!OpenByMe())
      return FALSE;
    previous = c.Owner;
  }
  if (previous && IsWindow(previous))
    SendMessage(previous, WM_DESTROYCLIPBOARD, 0, 0);
  {
    std::lock_guard<std::recursive_mutex> lock(c.Lock);
    FreeEntries();
    c.Owner = c.OpenWindow;
    c.Foreign = false;
  }
  if (TDisplayBackend* display = CurrentDisplayBackend())
    display->ClipboardOwned(true);
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
  TClipboard& c = Clip();
  std::lock_guard<std::recursive_mutex> lock(c.Lock);
  bool rendering = c.RenderingFormat == format && c.RenderingThread == CurrentThreadId();
  if ((!OpenByMe() && !rendering) || format == 0)
    return nullptr;
  if (data) {
    std::lock_guard<std::mutex> ml(Memory().Lock);
    if (!Find(data))
      return nullptr;
  }
  if (c.Foreign) {
    // Writing without emptying first: the contents become ours.
    c.Foreign = false;
    if (TDisplayBackend* display = CurrentDisplayBackend())
      display->ClipboardOwned(true);
  }
  for (auto& e : c.Entries)
    if (e.Format == format) {
      if (e.Data && e.Data != data)
        GlobalFree(e.Data);
      e.Data = data;
      return data;
    }
  c.Entries.push_back({format, data});
  return data;
}

HANDLE GetClipboardData(UINT format)
{
  TClipboard& c = Clip();
  HWND owner;
  {
    std::lock_guard<std::recursive_mutex> lock(c.Lock);
    if (!OpenByMe())
      return nullptr;
    if (c.Foreign) {
      TDisplayBackend* display = CurrentDisplayBackend();
      std::vector<BYTE> bytes;
      bool present;
      if (HANDLE h = FindEntry(format, present))
        return h;
      if (display && display->FetchForeignClipboard(ClipboardFormatBridgeName(format), bytes)) {
        HGLOBAL h = BlockFrom(bytes.data(), bytes.size());
        c.Entries.push_back({format, h});
        return h;
      }
      return nullptr;
    }
    bool present;
    HANDLE h = FindEntry(format, present);
    if (h)
      return h;
    owner = c.Owner;
    if (!present) {
      // The text formats stand in for each other.
      if (format == CF_TEXT || format == CF_OEMTEXT) {
        bool wide;
        HANDLE w = FindEntry(CF_UNICODETEXT, wide);
        if (w) {
          std::string text = Utf16To8(WideTextOf(BlockBytes(w)));
          HGLOBAL made = BlockFrom(text.c_str(), text.size() + 1);
          c.Entries.push_back({format, made});
          return made;
        }
      } else if (format == CF_UNICODETEXT) {
        bool narrow;
        HANDLE n = FindEntry(CF_TEXT, narrow);
        if (n) {
          std::u16string text = Utf8To16(TextOf(BlockBytes(n)));
          HGLOBAL made = BlockFrom(text.c_str(), (text.size() + 1) * 2);
          c.Entries.push_back({format, made});
          return made;
        }
      }
      return nullptr;
    }
  }
  // Promised data: the owner renders it now.
  if (owner && IsWindow(owner)) {
    {
      std::lock_guard<std::recursive_mutex> lock(c.Lock);
      c.RenderingFormat = format;
      c.RenderingThread = GetWindowThreadProcessId(owner, nullptr);
    }
    SendMessage(owner, WM_RENDERFORMAT, format, 0);
    std::lock_guard<std::recursive_mutex> lock(c.Lock);
    c.RenderingFormat = 0;
    c.RenderingThread = 0;
  }
  std::lock_guard<std::recursive_mutex> lock(c.Lock);
  bool present;
  return FindEntry(format, present);
}

BOOL IsClipboardFormatAvailable(UINT format)
{
  TClipboard& c = Clip();
  std::lock_guard<std::recursive_mutex> lock(c.Lock);
  std::vector<UINT> formats;
  if (c.Foreign)
    formats = ForeignFormats();
  for (auto& e : c.Entries)
    formats.push_back(e.Format);
  bool has = std::find(formats.begin(), formats.end(), format) != formats.end();
  bool text = std::find(formats.begin(), formats.end(), CF_TEXT) != formats.end() ||
              std::find(formats.begin(), formats.end(), CF_UNICODETEXT) != formats.end();
  if (!has && (format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT) && text)
    has = true;
  return has ? TRUE : FALSE;
}

UINT RegisterClipboardFormat(LPCSTR name)
{
  UINT id = RegisterWindowMessage(name);
  if (id) {
    std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
    Clip().Names.emplace(id, name);
  }
  return id;
}

int GetClipboardFormatName(UINT format, LPSTR buffer, int size)
{
  std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
  auto it = Clip().Names.find(format);
  if (it == Clip().Names.end() || !buffer || size <= 0)
    return 0;
  int n = std::min<int>(size - 1, int(it->second.size()));
  std::memcpy(buffer, it->second.data(), std::size_t(n));
  buffer[n] = 0;
  return n;
}

UINT EnumClipboardFormats(UINT format)
{
  TClipboard& c = Clip();
  std::lock_guard<std::recursive_mutex> lock(c.Lock);
  if (!OpenByMe())
    return 0;
  std::vector<UINT> formats;
  for (auto& e : c.Entries)
    formats.push_back(e.Format);
  if (c.Foreign)
    for (UINT f : ForeignFormats())
      if (std::find(formats.begin(), formats.end(), f) == formats.end())
        formats.push_back(f);
  bool hasText = std::find(formats.begin(), formats.end(), CF_TEXT) != formats.end();
  bool hasWide = std::find(formats.begin(), formats.end(), CF_UNICODETEXT) != formats.end();
  if (hasText && !hasWide)
    formats.push_back(CF_UNICODETEXT);
  if (hasWide && !hasText)
    formats.push_back(CF_TEXT);
  if (format == 0)
    return formats.empty() ? 0 : formats.front();
  auto it = std::find(formats.begin(), formats.end(), format);
  if (it == formats.end() || it + 1 == formats.end())
    return 0;
  return *(it + 1);
}

int CountClipboardFormats()
{
  std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
  return int(Clip().Entries.size() + (Clip().Foreign ? ForeignFormats().size() : 0));
}

HWND GetClipboardOwner()
{
  std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
  return Clip().Foreign ? nullptr : Clip().Owner;
}

HWND GetOpenClipboardWindow()
{
  std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
  return Clip().Open ? Clip().OpenWindow : nullptr;
}

void InputClipboardTaken()
{
  HWND previous;
  {
    std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
    previous = Clip().Owner;
    FreeEntries();
    Clip().Owner = nullptr;
    Clip().Foreign = true;
  }
  if (previous && IsWindow(previous))
    PostMessage(previous, WM_DESTROYCLIPBOARD, 0, 0);
}

std::string ClipboardFormatBridgeName(UINT format)
{
  for (auto& [id, name] : StandardNames)
    if (id == format)
      return name;
  std::lock_guard<std::recursive_mutex> lock(Clip().Lock);
  auto it = Clip().Names.find(format);
  return it == Clip().Names.end() ? std::string() : it->second;
}

UINT ClipboardFormatFromBridgeName(const std::string& name)
{
  for (auto& [id, standard] : StandardNames)
    if (name == standard)
      return id;
  return name.empty() ? 0 : RegisterClipboardFormat(name.c_str());
}
