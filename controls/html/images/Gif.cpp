#include "controls/html/images/Gif.h"

#include <algorithm>
#include <cstring>

#include "controls/html/images/GifErrors.h"
#include "controls/html/images/GifLzw.h"
#include "controls/html/images/ImageLimits.h"
#include "platform/base/Format.h"
#include "platform/base/Stream.h"

// Reads the file from memory; every read past the end is error 24.
class TGif::TReader {
public:
  explicit TReader(std::vector<std::uint8_t> Data) : FData(std::move(Data)) {}

  bool AtEnd() const { return FPos >= FData.size(); }
  std::size_t Position() const { return FPos; }
  BYTE Byte()
  {
    if (FPos >= FData.size())
      RaiseGifError(geUnexpectedEnd);
    return FData[FPos++];
  }
  // The next byte, 0 at the end of the data.
  BYTE NextOrZero() { return FPos < FData.size() ? FData[FPos++] : 0; }
  WORD Word()
  {
    const BYTE lo = Byte();
    return WORD(lo | Byte() << 8);
  }
  const std::uint8_t* Take(std::size_t Count)
  {
    if (FData.size() - FPos < Count)
      RaiseGifError(geUnexpectedEnd);
    const std::uint8_t* p = FData.data() + FPos;
    FPos += Count;
    return p;
  }
  // Data sub-blocks up to the zero length, each handed to Sink.
  template <class F>
  void SubBlocks(F&& Sink)
  {
    for (;;) {
      const BYTE length = Byte();
      if (length == 0)
        return;
      Sink(Take(length), length);
    }
  }

private:
  std::vector<std::uint8_t> FData;
  std::size_t FPos = 0;
};

TGif::TGif()
{
  Clear();
}

TGif::~TGif() = default;

void TGif::Clear()
{
  FSignature = "------";
  FScreenWidth = FScreenHeight = 0;
  FGlobalTableFlag = FSortedFlag = false;
  FColorResolution = FGlobalTableSize = FBackgroundIndex = 0;
  FAspect = 0;
  FGlobalTable = -1;
  FImages.clear();
  FTables.clear();
  FPending.clear();
  FLoopCount = -1;
  FDecodedPixels = 0;
  FStopped = false;
}

void TGif::LoadGif(TStream* Stream)
{
  Clear();
  const Int64 size = Stream->Size();
  if (size > image_limits::MaxFileBytes)
    RaiseGifError(geValueOutOfRange);
  std::vector<std::uint8_t> data(std::size_t(size > 0 ? size : 0));
  Stream->SetPosition(0);
  if (!data.empty())
    Stream->ReadBuffer(data.data(), Integer(data.size()));
  TReader r(std::move(data));

  std::string signature(reinterpret_cast<const char*>(r.Take(6)), 6);
  for (char& c : signature)
    if (c >= 'a' && c <= 'z')
      c = char(c - 32);
  if (signature != "GIF87A" && signature != "GIF89A")
    RaiseGifError(geSignature);
  FSignature = signature;

  FScreenWidth = r.Word();
  FScreenHeight = r.Word();
  const BYTE packed = r.Byte();
  FGlobalTableFlag = packed & 0x80;
  FColorResolution = ((packed >> 4) & 7) + 1;
  FSortedFlag = packed & 0x08;
  FGlobalTableSize = 1 << ((packed & 7) + 1);
  FBackgroundIndex = r.Byte();
  FAspect = r.Byte();
  if (FGlobalTableFlag) {
    ReadColorTable(r, FGlobalTableSize);
    FGlobalTable = int(FTables.size()) - 1;
  }

  while (!FStopped) {
    const BYTE block = r.NextOrZero();
    if (block == 0x2C)
      ReadImage(r);
    else if (block == 0x21)
      ReadExtension(r);
    else if (block == 0x3B || block == 0)
      break;
    else
      RaiseGifError(geUnknownOperation);
  }
  if (FImages.empty())
    RaiseGifError(geNoImage);
  FPending.clear();
  FitScreen();
}

void TGif::ReadColorTable(TReader& R, int Count)
{
  TColorTable table;
  table.Count = Count;
  const std::uint8_t* p = R.Take(std::size_t(Count) * 3);
  for (int i = 0; i < Count; ++i, p += 3)
    table.Entries[i] = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
  FTables.push_back(table);
}

void TGif::ReadImage(TReader& R)
{
  TImage image;
  image.Index = int(FImages.size());
  image.Extensions = std::move(FPending);
  FPending.clear();
  image.Left = R.Word();
  image.Top = R.Word();
  image.Width = R.Word();
  image.Height = R.Word();
  const BYTE packed = R.Byte();
  image.LocalTable = packed & 0x80;
  image.Interlaced = packed & 0x40;
  image.Sorted = packed & 0x20;
  image.TableSize = 1 << ((packed & 7) + 1);
  if (image.LocalTable) {
    ReadColorTable(R, image.TableSize);
    image.TableIndex = int(FTables.size()) - 1;
  } else {
    image.TableIndex = FGlobalTable;
  }
  if (image.TableIndex < 0)
    RaiseGifError(geNoColorTable);
  image.LZWSize = R.Byte();
  std::vector<std::uint8_t> data;
  R.SubBlocks([&](const std::uint8_t* p, std::size_t n) { data.insert(data.end(), p, p + n); });

  // Caps: a frame too large for any bitmap is refused; past the frame count
  // or the total decoded, the animation ends with the frames read so far.
  const std::int64_t area = std::int64_t(image.Width) * image.Height;
  if (area > image_limits::MaxPixels)
    RaiseGifError(geValueOutOfRange);
  if (!FImages.empty() && (int(FImages.size()) >= image_limits::MaxFrames ||
                           FDecodedPixels + area > image_limits::MaxAnimationPixels)) {
    FStopped = true;
    return;
  }
  FDecodedPixels += area;
  image.Pixels.assign(std::size_t(area), 0);
  Decode(image, data);
  FImages.push_back(std::move(image));
}

void TGif::Decode(TImage& Image, const std::vector<std::uint8_t>& Data)
{
  const std::size_t count = Image.Pixels.size();
  if (count == 0) {
    if (Image.LZWSize + 1 > 12)
      RaiseGifError(geLZWCodeSize);
    return;
  }
  if (!Image.Interlaced) {
    GifLzwDecode(Image.LZWSize, Data.data(), Data.size(), Image.Pixels.data(), count);
    return;
  }
  // Interlaced rows come in four passes: every 8th row from 0, every 8th
  // from 4, every 4th from 2, every 2nd from 1. A pass that starts below the
  // last row has no rows in the data.
  std::vector<std::uint8_t> linear(count, 0);
  GifLzwDecode(Image.LZWSize, Data.data(), Data.size(), linear.data(), count);
  static constexpr int Start[4] = {0, 4, 2, 1};
  static constexpr int Step[4] = {8, 8, 4, 2};
  const std::size_t w = Image.Width;
  std::size_t source = 0;
  for (int pass = 0; pass < 4; ++pass)
    for (int y = Start[pass]; y < Image.Height; y += Step[pass], source += w)
      std::memcpy(Image.Pixels.data() + std::size_t(y) * w, linear.data() + source, w);
}

void TGif::ReadExtension(TReader& R)
{
  TExtension ext;
  ext.Code = R.Byte();
  auto collect = [&ext](const std::uint8_t* p, std::size_t n) {
    ext.SubBlocks.emplace_back(reinterpret_cast<const char*>(p), n);
  };
  switch (ext.Code) {
  case 0xF9: {
    ext.BlockSize = R.Byte();
    if (ext.BlockSize != 4)
      RaiseGifError(geExtensionBlockSize);
    const BYTE packed = R.Byte();
    ext.Disposal = (packed >> 2) & 7;
    ext.UserInput = packed & 2;
    ext.TransparentFlag = packed & 1;
    ext.Delay = R.Word();
    ext.TransparentIndex = R.Byte();
    if (R.Byte() != 0)
      RaiseGifError(geExtensionTerminator);
    break;
  }
  case 0xFE:
    // A damaged comment after the first image ends the file quietly.
    try {
      R.SubBlocks(collect);
    } catch (...) {
      if (FImages.empty())
        throw;
      FStopped = true;
      return;
    }
    break;
  case 0x01:
    ext.BlockSize = R.Byte();
    if (ext.BlockSize != 12)
      RaiseGifError(geExtensionBlockSize);
    ext.GridLeft = R.Word();
    ext.GridTop = R.Word();
    ext.GridWidth = R.Word();
    ext.GridHeight = R.Word();
    ext.CellWidth = R.Byte();
    ext.CellHeight = R.Byte();
    ext.Foreground = R.Byte();
    ext.Background = R.Byte();
    R.SubBlocks(collect);
    break;
  case 0xFF: {
    ext.BlockSize = R.Byte();
    if (ext.BlockSize != 11)
      RaiseGifError(geExtensionBlockSize);
    std::memcpy(ext.Identifier, R.Take(8), 8);
    std::memcpy(ext.Authentication, R.Take(3), 3);
    R.SubBlocks(collect);
    if (std::memcmp(ext.Identifier, "NETSCAPE", 8) == 0 && !ext.SubBlocks.empty() &&
        ext.SubBlocks.front().size() == 3) {
      const std::string& b = ext.SubBlocks.front();
      FLoopCount = BYTE(b[1]) | BYTE(b[2]) << 8;
    }
    break;
  }
  default:
    RaiseGifError(geSpecial, Format("unknown extension: %.4x", int(ext.Code)));
  }
  FPending.push_back(std::move(ext));
}

void TGif::FitScreen()
{
  int w = FScreenWidth, h = FScreenHeight;
  for (const TImage& image : FImages) {
    w = std::max(w, image.Left + image.Width);
    h = std::max(h, image.Top + image.Height);
  }
  FScreenWidth = std::min(w, image_limits::MaxSide);
  FScreenHeight = std::min(h, image_limits::MaxSide);
  // Every frame is kept as a composed screen in the strips: frames past what
  // they may hold in all are dropped.
  const std::int64_t cell = std::int64_t(FScreenWidth) * FScreenHeight;
  if (FScreenWidth == 0 || FScreenHeight == 0 || cell > image_limits::MaxPixels)
    RaiseGifError(geValueOutOfRange);
  const std::int64_t fit = image_limits::MaxAnimationPixels / cell;
  if (std::int64_t(FImages.size()) > fit)
    FImages.resize(std::size_t(fit));
}

int TGif::FramesPerStrip() const
{
  const std::int64_t cell = std::int64_t(FScreenWidth) * FScreenHeight;
  if (cell <= 0)
    return 1;
  return int(std::max<std::int64_t>(1, std::min<std::int64_t>(image_limits::MaxSide / FScreenWidth,
                                                                image_limits::MaxPixels / cell)));
}

const TGif::TImage& TGif::CheckedImage(int I) const
{
  if (I < 0 || I >= int(FImages.size()))
    RaiseGifError(geValueOutOfRange);
  return FImages[std::size_t(I)];
}

const TGif::TImage& TGif::Image(int I) const
{
  return CheckedImage(I);
}

int TGif::FrameLeft(int I) const
{
  return CheckedImage(I).Left;
}

int TGif::FrameTop(int I) const
{
  return CheckedImage(I).Top;
}

int TGif::FrameWidth(int I) const
{
  return CheckedImage(I).Width;
}

int TGif::FrameHeight(int I) const
{
  return CheckedImage(I).Height;
}

const TGif::TExtension* TGif::GraphicControl(int I) const
{
  for (const TExtension& ext : CheckedImage(I).Extensions)
    if (ext.Code == 0xF9)
      return &ext;
  return nullptr;
}

int TGif::FrameDelay(int I) const
{
  const TExtension* gc = GraphicControl(I);
  return gc && gc->Delay > 0 ? gc->Delay : 1;
}

int TGif::FrameDisposal(int I) const
{
  const TExtension* gc = GraphicControl(I);
  return gc ? gc->Disposal & 3 : 0;
}

int TGif::FrameTransparentIndex(int I) const
{
  const TExtension* gc = GraphicControl(I);
  return gc && gc->TransparentFlag ? gc->TransparentIndex : -1;
}

bool TGif::AnyTransparent() const
{
  for (int i = 0; i < ImageCount(); ++i)
    if (FrameTransparentIndex(i) >= 0)
      return true;
  return false;
}

std::uint32_t TGif::FrameColor(int I, int Value) const
{
  const TImage& image = CheckedImage(I);
  if (image.TableIndex < 0 || Value < 0 || Value > 255)
    return 0;
  return FTables[std::size_t(image.TableIndex)].Entries[Value];
}
