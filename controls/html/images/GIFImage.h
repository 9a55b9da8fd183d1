// TGIFImage: the viewer's picture object for GIF files. The frames live in
// strips (ThtBitmaps with their masks, FramesPerStrip frames each) built by
// TGif; the image draws its
// current frame stretched into any rectangle, steps the animation when the
// document's timer asks (on the platform's millisecond clock), and gives a
// still bitmap and mask of its first frame.
//
// The decoded picture (strips and frame records) never changes once loaded:
// an image and its copies share it (each IMG element of a cached GIF animates
// on its own, with only its own animation state) and it lives as long as any
// of them. A page showing the same smiley a thousand times makes a thousand
// small copies, not a thousand frame lists.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/html/images/HtBitmap.h"
#include "platform/base/Geometry.h"
#include "platform/base/List.h"
#include "platform/base/Persistent.h"
#include "platform/base/Types.h"

class TCanvas;
class TStream;

class TgfFrame : public TObject {
public:
  int frLeft = 0;
  int frTop = 0;
  int frWidth = 0;
  int frHeight = 0;
  int frDelay = 0;  // milliseconds
  BYTE frDisposalMethod = 0;
};

// The frames in file order; the list owns them and frees them last first.
class TgfFrameList : public TList {
public:
  TgfFrameList() = default;
  ~TgfFrameList() override;
  TgfFrameList(const TgfFrameList&) = delete;
  TgfFrameList& operator=(const TgfFrameList&) = delete;
  TgfFrame* Items(int Index) const { return static_cast<TgfFrame*>(TList::Items(Index)); }
};

class TGIFImage : public TPersistent {
public:
  TGIFImage();
  // A copy sharing the source's decoded picture, at frame 1.
  explicit TGIFImage(TGIFImage* Source);
  ~TGIFImage() override;
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  // Stores the rectangle and draws the current frame stretched into it.
  void DrawFrame(TCanvas* Canvas, int X, int Y, int Wid, int Ht);
  // The document's animation timer: moves to the next frame when the current
  // one has been shown long enough, invalidating the last drawn rectangle of
  // Window (null: no window).
  void StepAnimation(HWND Window);

  bool Animate() const { return FAnimate; }
  void SetAnimate(bool Value);
  // SetAnimate(true) as it would have been at the clock's time Since: a copy
  // made when its picture is first shown animates as one made when the
  // picture was placed.
  void StartAnimationAt(DWORD Since);
  // 1-based; 0 or less shows the last frame, above the count the first.
  int CurrentFrame() const { return FCurrentFrame; }
  void SetCurrentFrame(int Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }

  bool IsAnimated() const { return FAnimated; }
  bool IsTransparent() const { return FTransparent; }
  bool IsCopy() const { return FIsCopy; }
  int Width() const { return FImageWidth; }
  int Height() const { return FImageHeight; }
  int NumFrames() const { return FNumFrames; }
  // 0 for ever, else the number of times the animation plays.
  int NumIterations() const { return FNumIterations; }
  int CurrentIteration() const { return FCurrentLoop; }
  BYTE LastDisposal() const { return FLastDisposal; }
  const TRect& LastDrawRect() const { return FLastRect; }
  const TgfFrameList* Frames() const { return &FDecoded->Frames; }
  int StripCount() const { return int(FDecoded->Strips.size()); }
  ThtBitmap* Strip(int Index = 0) const { return FDecoded->Strips[std::size_t(Index)].get(); }

  // The first frame as a plain bitmap, and its mask (null when the image is
  // not transparent); both owned by the image.
  TBitmap* StillBitmap();
  TBitmap* StillMask();

private:
  friend TGIFImage* GifStreamToImage(bool& NonAnimated, TStream* Stream);

  // What a load decodes; shared, read-only, by the image and its copies.
  struct TDecoded {
    std::vector<std::unique_ptr<ThtBitmap>> Strips;
    TgfFrameList Frames;
  };

  void MakeStill();

  bool FAnimated = false;
  int FCurrentFrame = 1;
  int FImageWidth = 0;
  int FImageHeight = 0;
  int FNumFrames = 0;
  int FNumIterations = 1;
  bool FTransparent = false;
  bool FVisible = true;
  std::shared_ptr<const TDecoded> FDecoded;
  int FFramesPerStrip = 1;
  std::unique_ptr<TBitmap> FStillBitmap;
  std::unique_ptr<TBitmap> FStillMask;
  bool FAnimate = false;
  TRect FLastRect;
  BYTE FLastDisposal = 0;
  int FCurrentLoop = 1;
  DWORD FLastTime = 0;
  DWORD FCurrentInterval = 0;
  bool FIsCopy = false;
};

// The image of a GIF stream, or null for anything that fails. NonAnimated
// tells a file of fewer than two frames.
TGIFImage* GifStreamToImage(bool& NonAnimated, TStream* Stream);
// The same from a file opened for reading with writing denied to others.
TGIFImage* GifFileToImage(bool& NonAnimated, const std::string& FileName);
