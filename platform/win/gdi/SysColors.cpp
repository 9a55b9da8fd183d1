#include "platform/win/gdi/SysColors.h"

#include <array>
#include <mutex>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/detail/GdiObjects.h"

using namespace gdi;

namespace {

using TScheme = std::array<COLORREF, SYS_COLOR_COUNT>;

TScheme SchemeColors(TSysColorScheme scheme)
{
  switch (scheme) {
  case TSysColorScheme::FlatGrey:
    return {RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
            RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
            RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
            RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
            RGB(255, 255, 255), RGB(0, 0, 0),       RGB(192, 192, 192), RGB(0, 0, 0),       RGB(255, 255, 225),
            RGB(180, 180, 180), RGB(0, 0, 255),     RGB(16, 132, 208),  RGB(181, 181, 181), RGB(0, 0, 128),
            RGB(192, 192, 192)};
  case TSysColorScheme::Dark:
    return {RGB(48, 48, 48),    RGB(16, 16, 16),    RGB(32, 64, 112),   RGB(64, 64, 64),    RGB(48, 48, 48),
            RGB(24, 24, 24),    RGB(0, 0, 0),       RGB(230, 230, 230), RGB(230, 230, 230), RGB(255, 255, 255),
            RGB(48, 48, 48),    RGB(48, 48, 48),    RGB(32, 32, 32),    RGB(64, 96, 160),   RGB(255, 255, 255),
            RGB(48, 48, 48),    RGB(24, 24, 24),    RGB(128, 128, 128), RGB(230, 230, 230), RGB(160, 160, 160),
            RGB(96, 96, 96),    RGB(8, 8, 8),       RGB(64, 64, 64),    RGB(230, 230, 230), RGB(40, 40, 32),
            RGB(60, 60, 60),    RGB(120, 160, 255), RGB(48, 96, 160),   RGB(80, 80, 80),    RGB(64, 96, 160),
            RGB(48, 48, 48)};
  case TSysColorScheme::Classic:
  default:
    return {RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
            RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
            RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
            RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
            RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
            RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
            RGB(212, 208, 200)};
  }
}

struct TState {
  std::mutex Lock;
  TScheme Colors = SchemeColors(TSysColorScheme::Classic);
  std::array<HBRUSH, SYS_COLOR_COUNT> Brushes{};
  std::array<bool, SYS_COLOR_COUNT> Absent{};
};

TState& SysColorState()
{
  static TState state;
  return state;
}

void UpdateBrushes(TState& s)
{
  for (int i = 0; i < SYS_COLOR_COUNT; ++i)
    if (auto b = Lookup<TGdiBrush>(s.Brushes[std::size_t(i)]))
      b->Color = s.Colors[std::size_t(i)];
}

}  // namespace

DWORD GetSysColor(int index)
{
  if (index < 0 || index >= SYS_COLOR_COUNT)
    return 0;
  std::lock_guard<std::mutex> lock(SysColorState().Lock);
  return SysColorState().Colors[std::size_t(index)];
}

HBRUSH GetSysColorBrush(int index)
{
  if (index < 0 || index >= SYS_COLOR_COUNT)
    return nullptr;
  TState& s = SysColorState();
  std::lock_guard<std::mutex> lock(s.Lock);
  if (s.Absent[std::size_t(index)])
    return nullptr;
  HBRUSH& h = s.Brushes[std::size_t(index)];
  if (!h) {
    auto b = std::make_shared<TGdiBrush>();
    b->Color = s.Colors[std::size_t(index)];
    b->SysColorIndex = index;
    b->Stock = true;
    h = AddObject(b);
  }
  return h;
}

BOOL SetSysColors(int count, const INT* indexes, const COLORREF* colors)
{
  if (count < 0 || (count > 0 && (!indexes || !colors)))
    return FALSE;
  TState& s = SysColorState();
  std::lock_guard<std::mutex> lock(s.Lock);
  for (int i = 0; i < count; ++i)
    if (indexes[i] >= 0 && indexes[i] < SYS_COLOR_COUNT)
      s.Colors[std::size_t(indexes[i])] = colors[i] & 0xFFFFFF;
  UpdateBrushes(s);
  return TRUE;
}

void SelectSysColorScheme(TSysColorScheme scheme)
{
  TState& s = SysColorState();
  std::lock_guard<std::mutex> lock(s.Lock);
  s.Colors = SchemeColors(scheme);
  s.Absent.fill(false);
  UpdateBrushes(s);
}

void SetSysColorBrushAbsent(int index, bool absent)
{
  if (index < 0 || index >= SYS_COLOR_COUNT)
    return;
  std::lock_guard<std::mutex> lock(SysColorState().Lock);
  SysColorState().Absent[std::size_t(index)] = absent;
}

COLORREF ColorToRGB(TColor color)
{
  if (color < 0)
    return GetSysColor(color & 0xFF);
  return COLORREF(color);
}
