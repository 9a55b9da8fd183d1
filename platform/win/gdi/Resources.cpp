#include "platform/win/gdi/Resources.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/BmpFormat.h"
#include "platform/win/gdi/Cursors.h"
#include "platform/win/gdi/Icons.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/detail/GdiObjects.h"

using namespace gdi;

namespace {

struct TModuleResources {
  const TResourceEntry* Entries = nullptr;
  std::size_t Count = 0;
};

std::mutex& Lock()
{
  static std::mutex lock;
  return lock;
}
std::map<HMODULE, TModuleResources>& Modules()
{
  static std::map<HMODULE, TModuleResources> modules;
  return modules;
}

std::string Upper(std::string s)
{
  for (auto& c : s)
    c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool NameMatches(const TResourceEntry& e, LPCSTR name)
{
  if (IS_INTRESOURCE(name))
    return e.Name == std::to_string(reinterpret_cast<std::uintptr_t>(name));
  return Upper(e.Name) == Upper(name);
}

bool TypeMatches(const TResourceEntry& e, LPCSTR type)
{
  std::string ext = e.Extension;
  if (!IS_INTRESOURCE(type))
    return Upper(ext) == Upper(type) || (Upper(type) == "RCDATA" && ext != "bmp" && ext != "ico" && ext != "cur");
  if (type == RT_BITMAP)
    return ext == "bmp";
  if (type == RT_GROUP_ICON || type == RT_ICON)
    return ext == "ico";
  if (type == RT_GROUP_CURSOR || type == RT_CURSOR)
    return ext == "cur";
  if (type == RT_RCDATA)
    return ext != "bmp" && ext != "ico" && ext != "cur";
  return false;
}

// The bytes of a named resource, or an empty span.
std::pair<const unsigned char*, std::size_t> Bytes(HMODULE module, LPCSTR name, LPCSTR type)
{
  HRSRC r = FindResource(module, name, type);
  if (!r)
    return {nullptr, 0};
  return {static_cast<const unsigned char*>(LockResource(LoadResource(module, r))), SizeofResource(module, r)};
}

std::vector<unsigned char> ReadFile(LPCSTR path)
{
  std::vector<unsigned char> data;
  if (!path || IS_INTRESOURCE(path))
    return data;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return data;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size <= 0 || size > (std::streamoff(64) << 20))
    return data;
  in.seekg(0);
  data.resize(std::size_t(size));
  in.read(reinterpret_cast<char*>(data.data()), size);
  if (!in)
    data.clear();
  return data;
}

// A device bitmap copy of a DIB section: monochrome for a two-colour black
// and white table, 32-bit otherwise.
HBITMAP ToDevice(HBITMAP dib)
{
  auto b = Lookup<TGdiBitmap>(dib);
  if (!b)
    return nullptr;
  bool mono = b->BitsPixel == 1;
  HBITMAP out = CreateBitmap(b->Width, b->Height, 1, mono ? 1 : 32, nullptr);
  auto o = Lookup<TGdiBitmap>(out);
  for (int y = 0; y < b->Height; ++y)
    for (int x = 0; x < b->Width; ++x)
      o->SetPixelAt(x, y, b->PixelAt(x, y));
  DeleteObject(dib);
  return out;
}

void MapColors(HBITMAP bitmap, UINT flags)
{
  auto b = Lookup<TGdiBitmap>(bitmap);
  if (!b)
    return;
  auto swap = [](COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
  std::vector<std::pair<uint32_t, uint32_t>> map;
  if (flags & LR_LOADTRANSPARENT)
    map.push_back({b->PixelAt(0, 0), swap(GetSysColor(COLOR_WINDOW))});
  if (flags & LR_LOADMAP3DCOLORS) {
    map.push_back({0x808080, swap(GetSysColor(COLOR_BTNSHADOW))});
    map.push_back({0xC0C0C0, swap(GetSysColor(COLOR_BTNFACE))});
    map.push_back({0xDFDFDF, swap(GetSysColor(COLOR_3DLIGHT))});
  }
  if (b->BitsPixel <= 8) {
    std::vector<RGBQUAD> colors = b->Colors();
    for (auto& q : colors) {
      uint32_t v = (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
      for (auto& [from, to] : map)
        if (v == from) {
          q = RGBQUAD{BYTE(to), BYTE(to >> 8), BYTE(to >> 16), 0};
          break;
        }
    }
    b->SetColors(std::move(colors));
    return;
  }
  for (int y = 0; y < b->Height; ++y)
    for (int x = 0; x < b->Width; ++x)
      for (auto& [from, to] : map)
        if (b->PixelAt(x, y) == from) {
          b->SetPixelAt(x, y, to);
          break;
        }
}

HANDLE LoadImageData(const unsigned char* data, std::size_t size, UINT type, int width, UINT flags)
{
  if (!data)
    return nullptr;
  if (type == IMAGE_BITMAP) {
    HBITMAP dib = ReadBmpFile(data, size);
    if (!dib)
      return nullptr;
    MapColors(dib, flags);
    return (flags & LR_CREATEDIBSECTION) ? dib : ToDevice(dib);
  }
  if (type == IMAGE_ICON || type == IMAGE_CURSOR)
    return CreateIconFromFile(data, size, width > 0 ? width : (flags & LR_DEFAULTSIZE) ? 32 : 32);
  return nullptr;
}

}  // namespace

void RegisterResources(HMODULE module, const TResourceEntry* entries, std::size_t count)
{
  std::lock_guard<std::mutex> guard(Lock());
  Modules()[module] = {entries, count};
}

void UnregisterResources(HMODULE module)
{
  std::lock_guard<std::mutex> guard(Lock());
  Modules().erase(module);
}

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type)
{
  if (!name || !type)
    return nullptr;
  std::lock_guard<std::mutex> guard(Lock());
  auto it = Modules().find(module);
  if (it == Modules().end())
    return nullptr;
  for (std::size_t i = 0; i < it->second.Count; ++i) {
    const TResourceEntry& e = it->second.Entries[i];
    if (NameMatches(e, name) && TypeMatches(e, type))
      return reinterpret_cast<HRSRC>(const_cast<TResourceEntry*>(&e));
  }
  return nullptr;
}

namespace {
// A resource handle is valid when it points at an entry of a registered module.
const TResourceEntry* EntryOf(HMODULE module, HRSRC r)
{
  std::lock_guard<std::mutex> guard(Lock());
  auto it = Modules().find(module);
  if (it == Modules().end() || !r)
    return nullptr;
  const auto* e = reinterpret_cast<const TResourceEntry*>(r);
  if (e < it->second.Entries || e >= it->second.Entries + it->second.Count)
    return nullptr;
  return e;
}
}  // namespace

HGLOBAL LoadResource(HMODULE module, HRSRC r)
{
  const TResourceEntry* e = EntryOf(module, r);
  return e ? const_cast<unsigned char*>(e->Data) : nullptr;
}

void* LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE module, HRSRC r)
{
  const TResourceEntry* e = EntryOf(module, r);
  return e ? DWORD(e->Size) : 0;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

HBITMAP LoadBitmap(HINSTANCE module, LPCSTR name)
{
  auto [data, size] = Bytes(module, name, RT_BITMAP);
  return static_cast<HBITMAP>(LoadImageData(data, size, IMAGE_BITMAP, 0, 0));
}

HCURSOR LoadCursor(HINSTANCE module, LPCSTR name)
{
  if (!module)
    return IS_INTRESOURCE(name) ? StandardCursor(WORD(reinterpret_cast<std::uintptr_t>(name))) : nullptr;
  auto [data, size] = Bytes(module, name, RT_GROUP_CURSOR);
  if (!data)  // some modules keep cursors as icons
    std::tie(data, size) = Bytes(module, name, RT_GROUP_ICON);
  return data ? CreateIconFromFile(data, size, 32) : nullptr;
}

HICON LoadIcon(HINSTANCE module, LPCSTR name)
{
  if (!module)
    return IS_INTRESOURCE(name) ? StandardIcon(WORD(reinterpret_cast<std::uintptr_t>(name))) : nullptr;
  auto [data, size] = Bytes(module, name, RT_GROUP_ICON);
  return data ? CreateIconFromFile(data, size, 32) : nullptr;
}

HANDLE LoadImage(HINSTANCE module, LPCSTR name, UINT type, int width, int, UINT flags)
{
  if (flags & LR_LOADFROMFILE) {
    std::vector<unsigned char> data = ReadFile(name);
    return LoadImageData(data.data(), data.size(), type, width, flags);
  }
  if (!module) {
    if (type == IMAGE_CURSOR)
      return LoadCursor(nullptr, name);
    if (type == IMAGE_ICON)
      return LoadIcon(nullptr, name);
    return nullptr;
  }
  LPCSTR rt = type == IMAGE_BITMAP ? RT_BITMAP : type == IMAGE_ICON ? RT_GROUP_ICON : RT_GROUP_CURSOR;
  auto [data, size] = Bytes(module, name, rt);
  return LoadImageData(data, size, type, width, flags);
}
