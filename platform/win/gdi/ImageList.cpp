#include "platform/win/gdi/ImageList.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/win/gdi/Icons.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Resources.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/IconData.h"
#include "platform/win/gdi/detail/ImageListData.h"
#include "platform/win/gdi/detail/Raster.h"

namespace gdi {

THandleTable<TImageListData>& ImageLists()
{
  static THandleTable<TImageListData> table(0x4C);
  return table;
}
std::shared_ptr<TImageListData> LookupImageList(HIMAGELIST list)
{
  return ImageLists().Get(reinterpret_cast<std::uintptr_t>(list));
}
HIMAGELIST AddImageList(std::shared_ptr<TImageListData> list)
{
  return reinterpret_cast<HIMAGELIST>(ImageLists().Add(std::move(list)));
}

}  // namespace gdi

using namespace gdi;

namespace {

constexpr int kMaxImages = 16384;

// Appends the images of a strip (and mask) starting at image `at` (count grows as needed).
int Store(TImageListData& l, int at, const TGdiBitmap& image, const TGdiBitmap* mask, const COLORREF* maskColor)
{
  int n = std::max(1, image.Width / l.Cx);
  if (at < 0)
    at = l.Count();
  if (at + n > kMaxImages)
    return -1;
  if (at + n > l.Count())
    l.Images.resize(std::size_t(at + n));
  bool alpha = (l.Flags & 0xFE) == ILC_COLOR32 && image.BitsPixel == 32 && !maskColor;
  bool anyAlpha = false;
  if (alpha) {
    for (int y = 0; y < image.Height && !anyAlpha; ++y)
      for (int x = 0; x < image.Width && !anyAlpha; ++x) {
        uint32_t v;
        std::memcpy(&v, image.RowPtr(y) + 4 * x, 4);
        anyAlpha = (v >> 24) != 0;
      }
  }
  uint32_t key = maskColor ? ToPixel(*maskColor & 0xFFFFFF) : 0;
  for (int k = 0; k < n; ++k) {
    TImageListData::TImage& img = l.Images[std::size_t(at + k)];
    img.Pixels.assign(std::size_t(l.Cx * l.Cy), 0);
    img.Mask.assign(std::size_t(l.Cx * l.Cy), 0);
    img.HasAlpha = anyAlpha;
    for (int y = 0; y < l.Cy; ++y)
      for (int x = 0; x < l.Cx; ++x) {
        int sx = k * l.Cx + x;
        std::size_t i = std::size_t(y * l.Cx + x);
        if (sx >= image.Width || y >= image.Height) {
          img.Mask[i] = 1;
          continue;
        }
        uint32_t p = image.PixelAt(sx, y);
        if (anyAlpha) {
          std::memcpy(&p, image.RowPtr(y) + 4 * sx, 4);
          img.Mask[i] = (p >> 24) == 0;
        } else if (maskColor) {
          img.Mask[i] = p == key;
          if (img.Mask[i])
            p = 0;
        } else if (mask && sx < mask->Width && y < mask->Height) {
          img.Mask[i] = (mask->PixelAt(sx, y) & 0xFFFFFF) ? 1 : 0;
        }
        img.Pixels[i] = p;
      }
    if (!(l.Flags & ILC_MASK) && !anyAlpha)
      std::fill(img.Mask.begin(), img.Mask.end(), 0);
  }
  return at;
}

uint32_t Blend(uint32_t c, uint32_t fg, int quarter)
{
  uint32_t out = 0;
  for (int sh = 0; sh < 24; sh += 8) {
    uint32_t a = (c >> sh) & 0xFF, b = (fg >> sh) & 0xFF;
    out |= (quarter == 2 ? (a + b + 1) / 2 : (3 * a + b + 2) / 4) << sh;
  }
  return out;
}

void DrawImage(TDrawAccess& a, const TImageListData& l, const TImageListData::TImage& img, int x, int y, int w, int h,
               COLORREF bk, COLORREF fg, UINT style)
{
  if (bk == CLR_DEFAULT)
    bk = l.BkColor;
  bool transparent = (style & ILD_TRANSPARENT) || bk == CLR_NONE;
  uint32_t bkPixel = bk == CLR_NONE ? 0 : a.PixelOf(bk);
  uint32_t fgPixel = a.PixelOf(fg == CLR_DEFAULT || fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : fg);
  int blend = (style & ILD_BLEND50) ? 2 : (style & ILD_BLEND25) ? 1 : 0;
  TRect dr = a.ToSurface(Bounds(x, y, w, h));
  ForEachClipped(a, dr, [&](const TRect& part) {
    for (int yy = part.Top; yy < part.Bottom; ++yy) {
      uint32_t* row = a.Surface.Row(yy);
      for (int xx = part.Left; xx < part.Right; ++xx) {
        std::size_t i = std::size_t((yy - dr.Top) * l.Cx + (xx - dr.Left));
        bool masked = img.Mask[i];
        if (style & ILD_MASK) {
          // The mask alone: black where the image shows, white where it does not.
          row[xx] = masked ? (transparent ? row[xx] : 0xFFFFFF) : 0;
          continue;
        }
        if (masked && !(style & ILD_IMAGE)) {
          if (!transparent)
            row[xx] = bkPixel;
          continue;
        }
        uint32_t c = img.Pixels[i];
        if (blend && !masked)
          c = (c & 0xFF000000) | Blend(c & 0xFFFFFF, fgPixel, blend);
        row[xx] = img.HasAlpha && !(style & ILD_IMAGE) ? AlphaOver(row[xx], c) : (c & 0xFFFFFF);
      }
    }
  });
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int grow)
{
  if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096)
    return nullptr;
  auto l = std::make_shared<TImageListData>();
  l->Cx = cx;
  l->Cy = cy;
  l->Flags = flags;
  l->Grow = std::max(grow, 1);
  return AddImageList(l);
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
  return ImageLists().Remove(reinterpret_cast<std::uintptr_t>(list)) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask)
{
  auto l = LookupImageList(list);
  auto b = Lookup<TGdiBitmap>(image);
  if (!l || !b)
    return -1;
  auto m = Lookup<TGdiBitmap>(mask);
  return Store(*l, -1, *b, m.get(), nullptr);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor)
{
  auto l = LookupImageList(list);
  auto b = Lookup<TGdiBitmap>(image);
  if (!l || !b)
    return -1;
  return Store(*l, -1, *b, nullptr, &maskColor);
}

HIMAGELIST ImageList_LoadBitmap(HINSTANCE module, LPCSTR name, int cx, int grow, COLORREF maskColor)
{
  HBITMAP strip = LoadBitmap(module, name);
  if (!strip)
    return nullptr;
  BITMAP info{};
  HIMAGELIST list = nullptr;
  if (cx > 0 && GetObject(strip, sizeof(info), &info) && info.bmHeight > 0) {
    list = ImageList_Create(cx, info.bmHeight, ILC_COLOR32 | ILC_MASK, std::max(1, int(info.bmWidth / cx)), grow);
    if (list)
      ImageList_AddMasked(list, strip, maskColor);
  }
  DeleteObject(strip);
  return list;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask)
{
  auto l = LookupImageList(list);
  auto b = Lookup<TGdiBitmap>(image);
  if (!l || !b || index < 0 || index >= l->Count())
    return FALSE;
  auto m = Lookup<TGdiBitmap>(mask);
  auto saved = l->Images;
  Store(*l, index, *b, m.get(), nullptr);
  // A strip wider than one image replaces the one image only.
  for (std::size_t k = std::size_t(index) + 1; k < saved.size(); ++k)
    l->Images[k] = saved[k];
  l->Images.resize(saved.size());
  return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon)
{
  auto l = LookupImageList(list);
  auto ic = LookupIcon(icon);
  if (!l || !ic || index < -1 || index >= l->Count() || l->Count() >= kMaxImages)
    return -1;
  TImageListData::TImage img;
  img.Pixels.resize(std::size_t(l->Cx * l->Cy));
  img.Mask.resize(img.Pixels.size());
  img.HasAlpha = ic->HasAlpha;
  // The icon is fitted to the list's size, nearest pixel.
  for (int y = 0; y < l->Cy; ++y)
    for (int x = 0; x < l->Cx; ++x) {
      std::size_t s = std::size_t((y * ic->Height / l->Cy) * ic->Width + x * ic->Width / l->Cx);
      std::size_t d = std::size_t(y * l->Cx + x);
      img.Pixels[d] = ic->Color[s];
      img.Mask[d] = ic->Mask[s];
    }
  if (index == -1) {
    l->Images.push_back(std::move(img));
    return l->Count() - 1;
  }
  l->Images[std::size_t(index)] = std::move(img);
  return index;
}

BOOL ImageList_Remove(HIMAGELIST list, int index)
{
  auto l = LookupImageList(list);
  if (!l || index < -1 || index >= l->Count())
    return FALSE;
  if (index == -1)
    l->Images.clear();
  else
    l->Images.erase(l->Images.begin() + index);
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list)
{
  auto l = LookupImageList(list);
  return l ? l->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count)
{
  auto l = LookupImageList(list);
  if (!l || count > UINT(kMaxImages))
    return FALSE;
  std::size_t old = l->Images.size();
  l->Images.resize(count);
  for (std::size_t k = old; k < count; ++k) {
    l->Images[k].Pixels.assign(std::size_t(l->Cx * l->Cy), 0);
    l->Images[k].Mask.assign(std::size_t(l->Cx * l->Cy), (l->Flags & ILC_MASK) ? 1 : 0);
  }
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy)
{
  auto l = LookupImageList(list);
  if (!l || !cx || !cy)
    return FALSE;
  *cx = l->Cx;
  *cy = l->Cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy)
{
  auto l = LookupImageList(list);
  if (!l || cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096)
    return FALSE;
  l->Cx = cx;
  l->Cy = cy;
  l->Images.clear();
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color)
{
  auto l = LookupImageList(list);
  return l ? std::exchange(l->BkColor, color) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list)
{
  auto l = LookupImageList(list);
  return l ? l->BkColor : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay)
{
  auto l = LookupImageList(list);
  if (!l || overlay < 1 || overlay > 4 || image < -1 || image >= l->Count())
    return FALSE;
  l->Overlays[std::size_t(overlay - 1)] = image;
  return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT)
{
  auto l = LookupImageList(list);
  if (!l || index < 0 || index >= l->Count())
    return nullptr;
  const auto& img = l->Images[std::size_t(index)];
  auto icon = std::make_shared<TIconData>();
  icon->Width = l->Cx;
  icon->Height = l->Cy;
  icon->Color = img.Pixels;
  icon->Mask = img.Mask;
  icon->HasAlpha = img.HasAlpha;
  if (!icon->HasAlpha)
    for (std::size_t i = 0; i < icon->Color.size(); ++i)
      icon->Color[i] = icon->Mask[i] ? 0 : icon->Color[i] & 0xFFFFFF;
  return AddIcon(icon);
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST list)
{
  auto l = LookupImageList(list);
  return l ? AddImageList(std::make_shared<TImageListData>(*l)) : nullptr;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
  return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height, COLORREF bk,
                      COLORREF fg, UINT style)
{
  auto l = LookupImageList(list);
  if (!l || index < 0 || index >= l->Count())
    return FALSE;
  int w = width > 0 ? std::min(width, l->Cx) : l->Cx, h = height > 0 ? std::min(height, l->Cy) : l->Cy;
  TDrawAccess a(dc, Bounds(x, y, w, h));
  if (!a)
    return FALSE;
  DrawImage(a, *l, l->Images[std::size_t(index)], x, y, w, h, bk, fg, style);
  int overlay = int((style & ILD_OVERLAYMASK) >> 8);
  if (overlay >= 1 && overlay <= 4) {
    int o = l->Overlays[std::size_t(overlay - 1)];
    if (o >= 0 && o < l->Count())
      DrawImage(a, *l, l->Images[std::size_t(o)], x, y, w, h, CLR_NONE, fg, ILD_TRANSPARENT);
  }
  return TRUE;
}

BOOL ImageList_DrawDisabled(HIMAGELIST list, int index, HDC dc, int x, int y)
{
  auto l = LookupImageList(list);
  if (!l || index < 0 || index >= l->Count())
    return FALSE;
  TDrawAccess a(dc, Bounds(x, y, l->Cx + 1, l->Cy + 1));  // the image and its shifted highlight
  if (!a)
    return FALSE;
  const auto& img = l->Images[std::size_t(index)];
  uint32_t light = a.PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow = a.PixelOf(GetSysColor(COLOR_BTNSHADOW));
  auto opaque = [&](std::size_t i) { return !img.Mask[i] && !(img.HasAlpha && (img.Pixels[i] >> 24) == 0); };
  auto lightness = [&](std::size_t i) {
    uint32_t c = img.Pixels[i];
    return int(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF));
  };
  // The ink of the disabled form: pixels darker than mid-grey, or, in a light
  // image, darker than the middle of its own range (so a light icon does not
  // vanish); a one-colour image is ink all over.
  int darkest = 765, lightest = 0;
  for (std::size_t i = 0; i < img.Pixels.size(); ++i)
    if (opaque(i)) {
      darkest = std::min(darkest, lightness(i));
      lightest = std::max(lightest, lightness(i));
    }
  const int threshold = darkest == lightest ? 766 : std::max(383, (darkest + lightest + 1) / 2);
  auto dark = [&](int px, int py) {
    std::size_t i = std::size_t(py * l->Cx + px);
    return opaque(i) && lightness(i) < threshold;
  };
  for (const auto& pass : {std::pair{1, light}, std::pair{0, shadow}}) {
    int dx = pass.first;
    uint32_t color = pass.second;
    TRect dr = a.ToSurface(Bounds(x + dx, y + dx, l->Cx, l->Cy));
    ForEachClipped(a, dr, [&](const TRect& part) {
      for (int yy = part.Top; yy < part.Bottom; ++yy)
        for (int xx = part.Left; xx < part.Right; ++xx)
          if (dark(xx - dr.Left, yy - dr.Top))
            a.Surface.Row(yy)[xx] = color;
    });
  }
  return TRUE;
}
