#include "controls/vtree/LazyTreeDragImage.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "controls/vtree/AlphaBlend.h"
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeUtils.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/shell/DragImageHelpers.h"
#include "platform/win/win.h"

namespace {

constexpr TColor kNoColorKey = TColor(0x1FFFFFFF);

// A bitmap of the same pixels, for the shell helper, which takes ownership.
HBITMAP CopyOfBitmap(HBITMAP Source, int Width, int Height)
{
  HDC screen = GetDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(screen, Width, Height);
  ReleaseDC(nullptr, screen);
  HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = SelectObject(from, Source), oldTo = SelectObject(to, copy);
  BitBlt(to, 0, 0, Width, Height, from, 0, 0, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  return copy;
}

}  // namespace

TLTDragImage::TLTDragImage(TBaseLazyTree* Owner) : FOwner(Owner) {}

TLTDragImage::~TLTDragImage() { EndDrag(); }

void TLTDragImage::MakeDib(TDib& D, int Width, int Height)
{
  D.DC = CreateCompatibleDC(nullptr);
  D.Bitmap = NewTopDownBitmap(Width, Height, &D.Bits);
  D.Old = SelectObject(D.DC, D.Bitmap);
}

void TLTDragImage::FreeDib(TDib& D)
{
  if (D.DC) {
    SelectObject(D.DC, D.Old);
    DeleteDC(D.DC);
  }
  if (D.Bitmap)
    DeleteObject(D.Bitmap);
  D = TDib();
}

void TLTDragImage::PrepareDrag(HBITMAP Picture, TPoint ImagePosition, TPoint HotSpot, IDataObject* DataObject)
{
  EndDrag();
  FUseShellImage = false;
  if (DataObject) {
    // The shell's picture helper is asked first; this platform has none, so
    // the tree draws its own picture.
    void* helper = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IDragSourceHelper::IID,
                                   &helper))) {
      auto source = InterfacePtr<IDragSourceHelper>::Adopt(static_cast<IDragSourceHelper*>(helper));
      BITMAP info{};
      GetObject(Picture, sizeof info, &info);
      SHDRAGIMAGE image;
      image.sizeDragImage = TSize(info.bmWidth, info.bmHeight);
      image.ptOffset = TPoint(info.bmWidth / 2, info.bmHeight / 2);
      image.hbmpDragImage = CopyOfBitmap(Picture, info.bmWidth, info.bmHeight);
      image.crColorKey = ColorKey == kNoColorKey ? 0 : ColorToRGB(ColorKey);
      if (SUCCEEDED(source->InitializeFromBitmap(&image, DataObject)))
        FUseShellImage = true;
      else
        DeleteObject(image.hbmpDragImage);
    }
  }
  if (FUseShellImage || !Picture)
    return;
  BITMAP info{};
  if (!GetObject(Picture, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return;
  FWidth = info.bmWidth;
  FHeight = info.bmHeight;
  FLastPosition = HotSpot;
  MakeDib(FDrag, FWidth, FHeight);
  MakeDib(FBlend, FWidth, FHeight);
  MakeDib(FBack, FWidth, FHeight);
  HDC pictureDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(pictureDC, Picture);
  if (PreBlendBias != 0) {
    // The bias is applied while copying: a full-alpha blend onto black.
    BitBlt(FDrag.DC, 0, 0, FWidth, FHeight, pictureDC, 0, 0, SRCCOPY);
    BlendRect(FDrag.DC, FDrag.DC, TRect(0, 0, FWidth, FHeight), TPoint(0, 0), PreBlendBias, 255, bmConstantAlpha);
  } else {
    BitBlt(FDrag.DC, 0, 0, FWidth, FHeight, pictureDC, 0, 0, SRCCOPY);
  }
  BuildAlpha(pictureDC);
  SelectObject(pictureDC, old);
  DeleteDC(pictureDC);
  FImagePosition = ImagePosition;
  FCapturePending = true;
  FPrepared = true;
}

void TLTDragImage::BuildAlpha(HDC PictureDC)
{
  GdiFlush();
  bool keyed = ColorKey != kNoColorKey;
  COLORREF key = keyed ? ColorToRGB(ColorKey) & 0xFFFFFF : 0;
  double size = std::max(FWidth, FHeight);
  int cx = FWidth / 2, cy = FHeight / 2;
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      std::uint32_t& pixel = FDrag.Bits[std::size_t(y) * std::size_t(FWidth) + std::size_t(x)];
      std::uint32_t alpha;
      if (keyed && (GetPixel(PictureDC, x, y) & 0xFFFFFF) == key) {
        alpha = 0;
      } else {
        double r = std::sqrt(double((x - cx) * (x - cx) + (y - cy) * (y - cy))) / size;
        alpha = std::uint32_t(std::lround(255.0 * std::exp(-8.0 * r)));
      }
      pixel = (pixel & 0x00FFFFFF) | (alpha << 24);
    }
}

std::uint8_t TLTDragImage::AlphaAt(int X, int Y) const
{
  if (!FDrag.Bits || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
    return 0;
  return std::uint8_t(FDrag.Bits[std::size_t(Y) * std::size_t(FWidth) + std::size_t(X)] >> 24);
}

void TLTDragImage::CaptureScreen()
{
  HDC screen = GetDC(nullptr);
  BitBlt(FBack.DC, 0, 0, FWidth, FHeight, screen, FImagePosition.x, FImagePosition.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

void TLTDragImage::RestoreScreen()
{
  HDC screen = GetDC(nullptr);
  BitBlt(screen, FImagePosition.x, FImagePosition.y, FWidth, FHeight, FBack.DC, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

// The old and new places overlap: only the strips that the picture leaves
// get their screen back, the kept screen of the overlap moves along in the
// back bitmap, and only the strips that the picture newly covers are read
// from the screen.
void TLTDragImage::ScrollBack(int DX, int DY)
{
  GdiFlush();
  std::uint32_t* bits = FBack.Bits;
  std::size_t w = std::size_t(FWidth);
  int span = FWidth - std::abs(DX);
  int fromX = DX > 0 ? DX : 0, toX = DX > 0 ? 0 : -DX;
  auto move = [&](int To, int From) {
    std::memmove(bits + std::size_t(To) * w + std::size_t(toX), bits + std::size_t(From) * w + std::size_t(fromX),
                 std::size_t(span) * sizeof(std::uint32_t));
  };
  if (DY >= 0) {
    for (int y = 0; y + DY < FHeight; ++y)
      move(y, y + DY);
  } else {
    for (int y = FHeight - 1; y + DY >= 0; --y)
      move(y, y + DY);
  }
}

void TLTDragImage::DrawOnScreen()
{
  BitBlt(FBlend.DC, 0, 0, FWidth, FHeight, FBack.DC, 0, 0, SRCCOPY);
  bool master = Fade || ColorKey != kNoColorKey;
  BlendRect(FDrag.DC, FBlend.DC, TRect(0, 0, FWidth, FHeight), TPoint(0, 0), PostBlendBias, Transparency,
            master ? bmMasterAlpha : bmConstantAlpha);
  HDC screen = GetDC(nullptr);
  BitBlt(screen, FImagePosition.x, FImagePosition.y, FWidth, FHeight, FBlend.DC, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

void TLTDragImage::ShowDragImage()
{
  if (!FPrepared || !FCapturePending || FUseShellImage)
    return;
  CaptureScreen();
  FCapturePending = false;
  DrawOnScreen();
}

void TLTDragImage::HideDragImage()
{
  if (!Visible())
    return;
  FCapturePending = true;
  RestoreScreen();
}

void TLTDragImage::MoveOverlapping(int DeltaX, int DeltaY)
{
  // Only the strips that the move uncovers go back to the screen and only
  // the newly covered strips are taken from it; the overlap keeps its saved
  // background, so the picture never vanishes from the screen while it moves.
  TDragImageRects r = SplitDragImageRects(FWidth, FHeight, DeltaX, DeltaY);
  TPoint old = FImagePosition;
  HDC screen = GetDC(nullptr);
  for (const TRect& strip : {r.DrawRect1, r.DrawRect2})
    if (!strip.IsEmpty())
      BitBlt(screen, old.x + strip.Left, old.y + strip.Top, strip.Width(), strip.Height(), FBack.DC, strip.Left,
             strip.Top, SRCCOPY);
  // The saved overlap moves to where it lies in the new place.
  ScrollBack(DeltaX, DeltaY);
  for (const TRect& strip : {r.SampleRect1, r.SampleRect2})
    if (!strip.IsEmpty())
      BitBlt(FBack.DC, strip.Left - DeltaX, strip.Top - DeltaY, strip.Width(), strip.Height(), screen,
             old.x + strip.Left, old.y + strip.Top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  FImagePosition.x += DeltaX;
  FImagePosition.y += DeltaY;
}

bool TLTDragImage::WillMove(TPoint P) const
{
  if (!Visible())
    return false;
  int dx = MoveRestriction == dmrVerticalOnly ? 0 : P.x - FLastPosition.x;
  int dy = MoveRestriction == dmrHorizontalOnly ? 0 : P.y - FLastPosition.y;
  return dx != 0 || dy != 0;
}

bool TLTDragImage::DragTo(TPoint P, bool ForceRepaint)
{
  // The picture follows the pointer: it moves by the pointer's step.
  int dx = MoveRestriction == dmrVerticalOnly ? 0 : P.x - FLastPosition.x;
  int dy = MoveRestriction == dmrHorizontalOnly ? 0 : P.y - FLastPosition.y;
  if (dx == 0 && dy == 0 && !ForceRepaint)
    return false;
  if (Visible()) {
    if (ForceRepaint || std::abs(dx) >= FWidth || std::abs(dy) >= FHeight) {
      // No overlap (or a repaint asked for): the old place gets its screen
      // back whole, the new place is taken whole.
      RestoreScreen();
      if (ForceRepaint && FOwner && FOwner->HandleAllocated())
        UpdateWindow(FOwner->Handle());
      FImagePosition.x += dx;
      FImagePosition.y += dy;
      CaptureScreen();
    } else {
      MoveOverlapping(dx, dy);
    }
    DrawOnScreen();
  } else {
    FImagePosition.x += dx;
    FImagePosition.y += dy;
  }
  FLastPosition = P;
  return true;
}

TRect TLTDragImage::GetDragImageRect() const
{
  if (!Visible())
    return TRect();
  return TRect(FImagePosition.x, FImagePosition.y, FImagePosition.x + FWidth, FImagePosition.y + FHeight);
}

void TLTDragImage::RecaptureBackground(TBaseLazyTree* Tree, TRect R, HRGN VisibleRegion, bool UpdateNow,
                                       bool NonClient)
{
  if (!Visible() || !Tree || !Tree->HandleAllocated())
    return;
  TPoint origin(0, 0);
  ClientToScreen(Tree->Handle(), &origin);
  TRect screenR(R.Left + origin.x, R.Top + origin.y, R.Right + origin.x, R.Bottom + origin.y);
  TRect picture = GetDragImageRect();
  TRect part;
  if (!IntersectRect(&part, &screenR, &picture))
    return;
  int saved = SaveDC(FBack.DC);
  if (VisibleRegion) {
    OffsetRgn(VisibleRegion, origin.x - FImagePosition.x, origin.y - FImagePosition.y);
    SelectClipRgn(FBack.DC, VisibleRegion);
    OffsetRgn(VisibleRegion, FImagePosition.x - origin.x, FImagePosition.y - origin.y);
  }
  IntersectClipRect(FBack.DC, part.Left - FImagePosition.x, part.Top - FImagePosition.y,
                    part.Right - FImagePosition.x, part.Bottom - FImagePosition.y);
  // The client part: the tree paints itself into the kept screen.
  SetWindowOrgEx(FBack.DC, FImagePosition.x - origin.x, FImagePosition.y - origin.y, nullptr);
  SendMessage(Tree->Handle(), WM_PRINTCLIENT, WPARAM(FBack.DC), PRF_CLIENT);
  if (NonClient) {
    TRect window;
    GetWindowRect(Tree->Handle(), &window);
    SetWindowOrgEx(FBack.DC, FImagePosition.x - window.Left, FImagePosition.y - window.Top, nullptr);
    SendMessage(Tree->Handle(), WM_PRINT, WPARAM(FBack.DC), PRF_NONCLIENT);
  }
  RestoreDC(FBack.DC, saved);
  if (UpdateNow) {
    GdiFlush();
    DrawOnScreen();
  }
}

void TLTDragImage::EndDrag()
{
  HideDragImage();
  FPrepared = false;
  FCapturePending = false;
  FUseShellImage = false;
  FreeDib(FDrag);
  FreeDib(FBlend);
  FreeDib(FBack);
}
