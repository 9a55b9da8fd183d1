// The drag picture in a layered popup window: taking the picture (with its
// bias and alpha), showing, moving by the mouse's step and ending.
#include "controls/vtree/LazyTreeDragImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "controls/vtree/AlphaBlend.h"
#include "controls/vtree/LazyTreeUtils.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

const char kClassName[] = "LazyTreeDragImage";

void RegisterDragImageClass()
{
  WNDCLASS existing;
  if (GetClassInfo(HInstance(), kClassName, &existing))
    return;
  WNDCLASS wc;
  wc.lpfnWndProc = &DefWindowProc;
  wc.hInstance = HInstance();
  wc.lpszClassName = kClassName;
  RegisterClass(&wc);
}

}  // namespace

TLTDragImage::~TLTDragImage()
{
  End();
}

std::uint8_t TLTDragImage::FadeAlpha(int X, int Y, int W, int H)
{
  double dx = X - W / 2, dy = Y - H / 2;
  double r = std::sqrt(dx * dx + dy * dy) / std::max(std::max(W, H), 1);
  return std::uint8_t(std::lround(255.0 * std::exp(-8.0 * r)));
}

void TLTDragImage::Prepare(HBITMAP Picture, TPoint Position, TPoint HotSpot)
{
  End();
  BITMAP info{};
  if (!Picture || !GetObject(Picture, sizeof(info), &info) || info.bmWidth < 1 || info.bmHeight < 1)
    return;
  FSize = TSize(info.bmWidth, info.bmHeight);
  std::uint32_t* bits = nullptr;
  FPicture = NewTopDownBitmap(FSize.cx, FSize.cy, &bits);
  if (!FPicture)
    return;
  HDC source = CreateCompatibleDC(nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(source, Picture);
  HGDIOBJ oldTarget = SelectObject(target, FPicture);
  BitBlt(target, 0, 0, FSize.cx, FSize.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, oldSource);
  DeleteDC(source);
  // The bias is applied by blending the picture over itself, fully opaque.
  if (PreBlendBias != 0)
    BlendRect(target, target, TRect(0, 0, FSize.cx, FSize.cy), TPoint(0, 0), PreBlendBias, 255, bmConstantAlpha);
  SelectObject(target, oldTarget);
  DeleteDC(target);

  FPerPixel = Fade || ColorKey != clNone;
  COLORREF key = ColorKey != clNone ? ColorToRGB(ColorKey) : 0;
  std::uint32_t keyPixel = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
  for (int y = 0; y < FSize.cy; ++y)
    for (int x = 0; x < FSize.cx; ++x) {
      std::uint32_t& p = bits[std::size_t(y) * std::size_t(FSize.cx) + std::size_t(x)];
      std::uint32_t rgb = p & 0xFFFFFF;
      if (!FPerPixel) {
        p = rgb | 0xFF000000u;
        continue;
      }
      std::uint32_t alpha = ColorKey != clNone && rgb == keyPixel ? 0 : (Fade ? FadeAlpha(x, y, FSize.cx, FSize.cy) : 255);
      // The window system wants the colour already multiplied by the alpha.
      std::uint32_t r = ((rgb >> 16) & 0xFF) * alpha / 255, g = ((rgb >> 8) & 0xFF) * alpha / 255,
                    b = (rgb & 0xFF) * alpha / 255;
      p = (alpha << 24) | (r << 16) | (g << 8) | b;
    }

  FPosition = Position;
  FLastPosition = HotSpot;
  RegisterDragImageClass();
  FWindow = CreateWindowEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT, kClassName, "",
                           WS_POPUP, Position.x, Position.y, FSize.cx, FSize.cy, nullptr, nullptr, HInstance(), nullptr);
}

void TLTDragImage::Present()
{
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, FPicture);
  TPoint from(0, 0);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Transparency, BYTE(FPerPixel ? AC_SRC_ALPHA : 0)};
  UpdateLayeredWindow(FWindow, nullptr, &FPosition, &FSize, memory, &from, 0, &blend, ULW_ALPHA);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void TLTDragImage::Show()
{
  if (!FWindow || FShown)
    return;
  Present();
  ShowWindow(FWindow, SW_SHOWNOACTIVATE);
  FShown = true;
}

void TLTDragImage::Hide()
{
  if (!FShown)
    return;
  ShowWindow(FWindow, SW_HIDE);
  FShown = false;
}

TPoint TLTDragImage::Step(TPoint P) const
{
  // The picture goes the way the mouse went.
  TPoint step(P.x - FLastPosition.x, P.y - FLastPosition.y);
  if (MoveRestriction == dmrVerticalOnly)
    step.x = 0;
  if (MoveRestriction == dmrHorizontalOnly)
    step.y = 0;
  return step;
}

bool TLTDragImage::WillMove(TPoint P) const
{
  TPoint step = Step(P);
  return FShown && (step.x != 0 || step.y != 0);
}

bool TLTDragImage::MoveTo(TPoint P, bool Force)
{
  TPoint step = Step(P);
  if (step.x == 0 && step.y == 0 && !Force)
    return false;
  FPosition = TPoint(FPosition.x + step.x, FPosition.y + step.y);
  if (FShown)
    Present();
  FLastPosition = P;
  return true;
}

TRect TLTDragImage::PictureRect() const
{
  if (!FShown)
    return TRect();
  return TRect(FPosition.x, FPosition.y, FPosition.x + FSize.cx, FPosition.y + FSize.cy);
}

void TLTDragImage::End()
{
  Hide();
  if (FWindow)
    DestroyWindow(FWindow);
  FWindow = nullptr;
  if (FPicture)
    DeleteObject(FPicture);
  FPicture = nullptr;
}
