#include "ImageFuzzTargets.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ReferenceDecoders.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/DisplayState.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/images/Gif.h"
#include "controls/html/images/ImageLoading.h"
#include "controls/html/images/PngImage.h"
#include "controls/html/images/ZCompressionStream.h"
#include "controls/html/images/ZDecompressionStream.h"
#include "platform/base/Exception.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/VirtualClock.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

namespace {

void Expect(bool Condition, const char* What)
{
  if (!Condition)
    throw std::logic_error(What);
}

// The picture as 0x00RRGGBB, top-down.
std::vector<std::uint32_t> Pixels(TBitmap* Bitmap)
{
  const int w = Bitmap->Width(), h = Bitmap->Height();
  std::vector<std::uint32_t> out(std::size_t(w) * std::size_t(h));
  BITMAPINFO info{};
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biBitCount = 32;
  if (!out.empty())
    GetDIBits(nullptr, Bitmap->Handle(), 0, UINT(h), out.data(), &info, DIB_RGB_COLORS);
  for (auto& p : out)
    p &= 0xFFFFFF;
  return out;
}

bool HasChunk(const std::uint8_t* Data, std::size_t Size, const char* Type)
{
  for (std::size_t i = 8; i + 8 <= Size;) {
    const std::uint32_t length = std::uint32_t(Data[i]) << 24 | std::uint32_t(Data[i + 1]) << 16 |
                                 std::uint32_t(Data[i + 2]) << 8 | Data[i + 3];
    if (std::memcmp(Data + i + 4, Type, 4) == 0)
      return true;
    if (length > Size)
      return false;
    i += std::size_t(length) + 12;
  }
  return false;
}

// A small deterministic stream of choices drawn from the input.
class TChoices {
public:
  TChoices(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  unsigned Next()
  {
    unsigned v = FSize ? FData[FPos++ % FSize] : 0;
    return v * 2654435761u + FPos;
  }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

}  // namespace

void FuzzPngLoad(const std::uint8_t* Data, std::size_t Size)
{
  TByteViewStream stream(Data, Size);
  TPNGImage png;
  bool loaded = false;
  try {
    png.LoadFromStream(&stream);
    loaded = true;
  } catch (const Exception&) {
  }
  TByteViewStream walk(Data, Size);
  walk.SetPosition(0);
  TColor key = 0;
  FindPngKeyColor(&walk, key);
  Expect(walk.Position() == 0, "the key-colour walk moved the stream");
  if (!loaded || png.Empty())
    return;
  if (png.Mask())
    Expect(png.Mask()->Width() == png.Width() && png.Mask()->Height() == png.Height(), "mask size");
  if (HasChunk(Data, Size, "gAMA"))
    return;
  const std::vector<std::uint32_t> before = Pixels(&png);
  TMemoryStream saved;
  png.SaveToStream(&saved);
  saved.SetPosition(0);
  TPNGImage again;
  again.LoadFromStream(&saved);
  Expect(again.Width() == png.Width() && again.Height() == png.Height(), "saved size");
  Expect(Pixels(&again) == before, "saved pixels");
}

void FuzzPngDiff(const std::uint8_t* Data, std::size_t Size)
{
  // Ours first: its caps keep the reference from allocating without bound.
  TByteViewStream stream(Data, Size);
  TPNGImage png;
  try {
    png.LoadFromStream(&stream);
  } catch (const Exception&) {
    return;
  }
  TRgbPicture reference;
  if (!ReferencePngDecode(Data, Size, reference) || reference.HasGamma || HasChunk(Data, Size, "gAMA"))
    return;
  Expect(png.Width() == reference.Width && png.Height() == reference.Height, "size differs from libpng");
  const std::vector<std::uint32_t> ours = Pixels(&png);
  for (std::size_t i = 0; i < ours.size(); ++i) {
    const std::uint8_t* q = reference.Rgb.data() + 3 * i;
    const std::uint32_t want = std::uint32_t(q[0]) << 16 | std::uint32_t(q[1]) << 8 | q[2];
    Expect(ours[i] == want, "pixel differs from libpng");
  }
}

void FuzzGifLoad(const std::uint8_t* Data, std::size_t Size)
{
  // The animation runs on the virtual clock; a clock this body switched on
  // is switched off again, so that a replay leaves the process as it was.
  struct TClock {
    bool Own = !VirtualClockEnabled();
    TClock()
    {
      if (Own)
        EnableVirtualClock();
    }
    ~TClock()
    {
      if (Own)
        DisableVirtualClock();
    }
  } clock;
  TByteViewStream stream(Data, Size);
  bool still = false;
  std::unique_ptr<TGIFImage> image(GifStreamToImage(still, &stream));
  if (!image)
    return;
  Expect(still == (image->NumFrames() < 2), "still flag");
  auto copy = std::make_unique<TGIFImage>(image.get());
  image->SetAnimate(true);
  for (int i = 0; i < 50; ++i) {
    AdvanceVirtualClock(37);
    image->StepAnimation(nullptr);
    Expect(image->CurrentFrame() >= 1 && image->CurrentFrame() <= image->NumFrames(), "frame out of range");
  }
  TBitmap* first = image->StillBitmap();
  Expect(first && first->Width() == image->Width() && first->Height() == image->Height(), "still bitmap size");
  if (TBitmap* mask = image->StillMask())
    Expect(mask->Width() == image->Width(), "still mask size");
  TBitmap target;
  target.SetSize(32, 32);
  image->DrawFrame(target.Canvas(), 0, 0, 32, 32);
  // The copy keeps the strip it shares alive.
  image.reset();
  copy->SetCurrentFrame(copy->NumFrames());
  copy->DrawFrame(target.Canvas(), 3, 3, 20, 20);
}

void FuzzGifDiff(const std::uint8_t* Data, std::size_t Size)
{
  TByteViewStream stream(Data, Size);
  TGif gif;
  try {
    gif.LoadGif(&stream);
  } catch (const Exception&) {
    return;
  }
  // Only files ours reads (within its caps) go to giflib, which has none.
  TGifFrames reference;
  if (!ReferenceGifDecode(Data, Size, reference))
    return;
  Expect(gif.ImageCount() <= int(reference.Frames.size()), "more frames than giflib");
  for (int i = 0; i < gif.ImageCount(); ++i)
    Expect(gif.Image(i).Pixels == reference.Frames[std::size_t(i)].Indexes, "frame indexes differ from giflib");
  reference.Frames.resize(std::size_t(gif.ImageCount()));
  const std::vector<TGif::TStrip> strips = gif.BuildStrips();
  const std::size_t w = std::size_t(gif.ScreenWidth()), h = std::size_t(gif.ScreenHeight());
  const std::size_t n = std::size_t(gif.ImageCount()), perStrip = std::size_t(gif.FramesPerStrip());
  Expect(strips.size() == (n + perStrip - 1) / perStrip, "strip count");
  std::vector<std::uint8_t> bgr, clear;
  ComposeReferenceStrip(reference, int(w), int(h), bgr, clear);
  // The reference lays every frame side by side in one strip; ours cuts
  // them into strips of perStrip frames.
  for (std::size_t s = 0; s < strips.size(); ++s) {
    const std::vector<std::uint32_t> ours = Pixels(strips[s].Bitmap.get());
    const std::vector<std::uint32_t> ourMask =
        strips[s].Mask ? Pixels(strips[s].Mask.get()) : std::vector<std::uint32_t>();
    const std::size_t frames = std::min(perStrip, n - s * perStrip), across = frames * w;
    Expect(ours.size() == across * h, "strip size");
    for (std::size_t y = 0; y < h; ++y)
      for (std::size_t x = 0; x < across; ++x) {
        const std::size_t i = y * across + x, q = y * w * n + s * perStrip * w + x;
        const std::uint32_t want =
            std::uint32_t(bgr[3 * q + 2]) << 16 | std::uint32_t(bgr[3 * q + 1]) << 8 | bgr[3 * q];
        Expect(ours[i] == want, "strip pixel differs");
        const bool transparent = !ourMask.empty() && ourMask[i] != 0;
        Expect(transparent == (clear[q] != 0), "strip mask differs");
      }
  }
}

void FuzzZStream(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  TChoices choose(Data, Size);
  if (Data[0] & 1) {
    TMemoryStream packed;
    {
      TZCompressionStream z(TCompressionLevel(Data[0] >> 1 & 3), &packed);
      std::size_t at = 1;
      while (at < Size) {
        const std::size_t piece = std::min<std::size_t>(Size - at, 1 + choose.Next() % 70000);
        z.WriteBuffer(Data + at, Integer(piece));
        at += piece;
      }
      z.Finish();
    }
    packed.SetPosition(0);
    TZDecompressionStream unz(&packed);
    std::vector<std::uint8_t> back(Size - 1 + 16);
    const Integer got = unz.Read(back.data(), Integer(back.size()));
    Expect(std::size_t(got) == Size - 1, "round trip length");
    Expect(std::memcmp(back.data(), Data + 1, Size - 1) == 0, "round trip bytes");
    return;
  }
  TByteViewStream source(Data + 1, Size - 1);
  try {
    TZDecompressionStream z(&source);
    std::vector<std::uint8_t> buffer(70000);
    Int64 delivered = 0;
    for (int op = 0; op < 64; ++op) {
      const unsigned c = choose.Next();
      if (c % 4 == 0) {
        const Int64 offset = c % 3 == 0 ? 0 : Int64(c % 5000);
        const TSeekOrigin origin = (c >> 3) % 3 == 0 ? soBeginning : soCurrent;
        try {
          delivered = z.Seek(offset, origin);
        } catch (const EZDecompressionError& e) {
          // A refused move changes nothing; bad data met while skipping ends
          // the run as it would end a read.
          if (std::string(e.what()) != SInvalidZStreamOperation)
            return;
        }
      } else {
        const Integer want = Integer(1 + c % buffer.size());
        const Integer got = z.Read(buffer.data(), want);
        Expect(got >= 0 && got <= want, "read size");
        delivered += got;
      }
      Expect(z.Position() == delivered, "delivered count");
    }
  } catch (const EZDecompressionError&) {
  }
}

void FuzzDecodeImage(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  static constexpr TTransparency Kinds[3] = {NotTransp, LLCorner, TPngKey};
  const bool lowColor = Data[0] & 1;
  SetLowColorDisplay(lowColor);
  MeasureDisplay();
  TMemoryStream stream;
  stream.WriteBuffer(Data + 1, Integer(Size - 1));
  TTransparency kind = Kinds[(Data[0] >> 1) % 3];
  TBitmap* mask = nullptr;
  std::unique_ptr<TBitmap> bitmap(DecodeImageStream(&stream, kind, mask));
  std::unique_ptr<TBitmap> ownedMask(mask);
  if (bitmap && mask)
    Expect(mask->Width() == bitmap->Width() && mask->Height() == bitmap->Height(), "mask size");
  if (!bitmap)
    Expect(!mask, "a mask without a picture");
  SetLowColorDisplay(false);
  MeasureDisplay();
}

void FuzzBmpLoad(const std::uint8_t* Data, std::size_t Size)
{
  TByteViewStream stream(Data, Size);
  TBitmap bitmap;
  try {
    bitmap.LoadFromStream(&stream);
  } catch (const Exception&) {
    return;
  }
  if (bitmap.Empty())
    return;
  const std::vector<std::uint32_t> before = Pixels(&bitmap);
  TMemoryStream saved;
  bitmap.SaveToStream(&saved);
  saved.SetPosition(0);
  TBitmap again;
  again.LoadFromStream(&saved);
  Expect(Pixels(&again) == before, "saved pixels");
}
