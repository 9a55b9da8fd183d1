#include "controls/html/images/GIFImage.h"

#include <algorithm>

#include "controls/html/images/DisplayState.h"
#include "controls/html/images/Gif.h"
#include "platform/base/Clock.h"
#include "platform/base/FileStream.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/Painting.h"

TgfFrameList::~TgfFrameList()
{
  for (int i = Count() - 1; i >= 0; --i)
    delete Items(i);
}

TGIFImage::TGIFImage() : FDecoded(std::make_shared<TDecoded>()) {}

TGIFImage::TGIFImage(TGIFImage* Source)
    : FAnimated(Source->FAnimated),
      FImageWidth(Source->FImageWidth),
      FImageHeight(Source->FImageHeight),
      FNumFrames(Source->FNumFrames),
      FNumIterations(Source->FNumIterations),
      FTransparent(Source->FTransparent),
      FVisible(Source->FVisible),
      FDecoded(Source->FDecoded),
      FFramesPerStrip(Source->FFramesPerStrip),
      FIsCopy(true)
{
  if (FAnimated)
    FLastDisposal = 2;
}

TGIFImage::~TGIFImage() = default;

void TGIFImage::DrawFrame(TCanvas* Canvas, int X, int Y, int Wid, int Ht)
{
  FLastRect = TRect(X, Y, X + Wid, Y + Ht);
  SetStretchBltMode(Canvas->Handle(), COLORONCOLOR);
  const auto& strips = FDecoded->Strips;
  if (FVisible && FNumFrames > 0 && !strips.empty()) {
    Canvas->SetCopyMode(SRCCOPY);
    const int strip = (FCurrentFrame - 1) / FFramesPerStrip, cell = (FCurrentFrame - 1) % FFramesPerStrip;
    const TRect source(cell * FImageWidth, 0, (cell + 1) * FImageWidth, FImageHeight);
    DrawStripPart(strips[std::size_t(strip)].get(), Canvas, FLastRect, source);
  }
}

void TGIFImage::StartAnimationAt(DWORD Since)
{
  if (FAnimate)
    return;
  SetAnimate(true);
  if (FNumFrames > 1)
    FLastTime = Since;
}

void TGIFImage::SetAnimate(bool Value)
{
  if (Value == FAnimate)
    return;
  FAnimate = Value;
  if (Value && FNumFrames > 1) {
    FCurrentInterval = DWORD(std::max(1, FDecoded->Frames.Items(FCurrentFrame - 1)->frDelay));
    FLastTime = timeGetTime();
  }
}

void TGIFImage::SetCurrentFrame(int Value)
{
  if (Value == FCurrentFrame || FNumFrames == 0)
    return;
  FLastDisposal = FDecoded->Frames.Items(FCurrentFrame - 1)->frDisposalMethod;
  if (Value > FNumFrames)
    FCurrentFrame = 1;
  else if (Value <= 0)
    FCurrentFrame = FNumFrames;
  else
    FCurrentFrame = Value;
  if (FAnimated)
    FLastDisposal = 2;
}

void TGIFImage::StepAnimation(HWND Window)
{
  if (!FAnimate || FNumFrames == 0)
    return;
  const DWORD now = timeGetTime();
  // Unsigned difference: the clock may wrap between two steps.
  if (DWORD(now - FLastTime) < FCurrentInterval)
    return;
  FLastTime = now;
  if (FCurrentFrame == FNumFrames) {
    if (FNumIterations > 0 && FNumIterations <= FCurrentLoop) {
      FAnimate = false;
      return;
    }
    ++FCurrentLoop;
  }
  FLastDisposal = FDecoded->Frames.Items(FCurrentFrame - 1)->frDisposalMethod;
  FCurrentFrame = FCurrentFrame % FNumFrames + 1;
  if (Window)
    InvalidateRect(Window, &FLastRect, TRUE);
  FCurrentInterval = DWORD(std::max(1, FDecoded->Frames.Items(FCurrentFrame - 1)->frDelay));
}

void TGIFImage::MakeStill()
{
  if (FStillBitmap || FDecoded->Strips.empty())
    return;
  ThtBitmap* first = FDecoded->Strips.front().get();
  auto still = std::make_unique<TBitmap>();
  still->Assign(first);
  still->SetWidth(FImageWidth);
  still->SetTransparent(false);
  if (first->HtTransparent() && first->HtMask()) {
    auto mask = std::make_unique<TBitmap>();
    mask->Assign(first->HtMask());
    mask->SetWidth(FImageWidth);
    FStillMask = std::move(mask);
  }
  FStillBitmap = std::move(still);
}

TBitmap* TGIFImage::StillBitmap()
{
  MakeStill();
  return FStillBitmap.get();
}

TBitmap* TGIFImage::StillMask()
{
  if (!FTransparent)
    return nullptr;
  MakeStill();
  return FStillMask.get();
}

TGIFImage* GifStreamToImage(bool& NonAnimated, TStream* Stream)
{
  NonAnimated = true;
  try {
    TGif gif;
    gif.LoadGif(Stream);
    auto image = std::make_unique<TGIFImage>();
    image->FNumFrames = gif.ImageCount();
    image->FAnimated = image->FNumFrames > 1;
    NonAnimated = image->FNumFrames < 2;
    image->FImageWidth = gif.ScreenWidth();
    image->FImageHeight = gif.ScreenHeight();
    const int loops = gif.LoopCount();
    image->FNumIterations = loops < 0 ? 1 : loops == 0 ? 0 : loops + 1;
    image->FTransparent = gif.AnyTransparent();

    image->FFramesPerStrip = gif.FramesPerStrip();
    auto decoded = std::make_shared<TGIFImage::TDecoded>();
    for (TGif::TStrip& strip : gif.BuildStrips()) {
      auto htStrip = std::make_unique<ThtBitmap>();
      htStrip->Assign(strip.Bitmap.get());
      htStrip->SetHtTransparent(strip.Mask != nullptr);
      htStrip->SetHtMask(strip.Mask.release());
      htStrip->SetPalette(CopyPalette(ThePalette()));
      decoded->Strips.push_back(std::move(htStrip));
    }

    for (int i = 0; i < gif.ImageCount(); ++i) {
      auto* frame = new TgfFrame;
      frame->frDisposalMethod = BYTE(gif.FrameDisposal(i));
      frame->frLeft = gif.FrameLeft(i);
      frame->frTop = gif.FrameTop(i);
      frame->frWidth = gif.FrameWidth(i);
      frame->frHeight = gif.FrameHeight(i);
      frame->frDelay = std::max(30, gif.FrameDelay(i) * 10);
      decoded->Frames.Add(frame);
    }
    image->FDecoded = std::move(decoded);
    if (image->FAnimated)
      image->FLastDisposal = 2;
    return image.release();
  } catch (...) {
    NonAnimated = true;
    return nullptr;
  }
}

TGIFImage* GifFileToImage(bool& NonAnimated, const std::string& FileName)
{
  NonAnimated = true;
  try {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    return GifStreamToImage(NonAnimated, &stream);
  } catch (...) {
    return nullptr;
  }
}
