// The column record and the collection stream, little-endian. The reader
// trusts nothing it reads: every length and count is checked against the
// bytes left, every ordinal against its enumeration, and the position array
// must name each column exactly once.
#include <algorithm>

#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/ScopeGuard.h"
#include "controls/vtree/StreamFields.h"
#include "platform/base/Stream.h"

namespace {

// Two lengths and ten values: the smallest record (version 0).
constexpr std::int64_t kSmallestRecord = 4 + 4 + 10 * 4;

std::int64_t BytesLeft(TStream* Stream) { return Stream->Size() - Stream->Position(); }


void WriteText(TStream* Stream, const WideString& Text)
{
  Stream->WriteValue<std::int32_t>(std::int32_t(Text.size()));
  for (char16_t c : Text)
    Stream->WriteValue<std::uint16_t>(std::uint16_t(c));
}

WideString ReadText(TStream* Stream)
{
  std::int32_t length = ReadStreamInt(Stream);
  if (length < 0 || std::int64_t(length) * 2 > BytesLeft(Stream))
    RaiseTreeError(hcTFCorruptStream2);
  WideString text(std::size_t(length), u'\0');
  for (char16_t& c : text)
    c = char16_t(Stream->ReadValue<std::uint16_t>());
  return text;
}


// Older records knew fewer options: version 2 had no coAutoSpring, versions
// 0 and 1 also lacked coParentColor (bit 4), so their bits 4-6 move up one.
std::uint32_t ConvertOptions(std::uint32_t Stored, int Version)
{
  if (Version >= 3)
    return Stored & 0xFFFF;
  if (Version == 2)
    return Stored & 0xFF;
  return (Stored & 0x0F) | ((Stored & 0x70) << 1);
}

}  // namespace

void TLazyTreeColumn::SaveToStream(TStream* Stream) const
{
  WriteText(Stream, FText);
  WriteText(Stream, FHint);
  for (std::int32_t value : {FWidth, FMinWidth, FMaxWidth, std::int32_t(FStyle), FImageIndex, std::int32_t(FLayout),
                             FMargin, FSpacing, std::int32_t(FBiDiMode), std::int32_t(FOptions.ToInteger()), FTag,
                             std::int32_t(FAlignment), std::int32_t(FColor)})
    Stream->WriteValue<std::int32_t>(value);
}

void TLazyTreeColumn::LoadFromStream(TStream* Stream, int Version)
{
  WideString text = ReadText(Stream);
  WideString hint = ReadText(Stream);
  int width = ReadStreamInt(Stream), minWidth = ReadStreamInt(Stream), maxWidth = ReadStreamInt(Stream);
  auto style = TLTColumnStyle(ReadStreamOrdinal(Stream, vsOwnerDraw));
  int imageIndex = ReadStreamInt(Stream);
  auto layout = TLTGlyphLayout(ReadStreamOrdinal(Stream, blGlyphBottom));
  int margin = ReadStreamInt(Stream), spacing = ReadStreamInt(Stream);
  auto bidi = TBiDiMode(ReadStreamOrdinal(Stream, bdRightToLeftReadingOnly));
  std::uint32_t options = ConvertOptions(std::uint32_t(ReadStreamInt(Stream)), Version);
  int tag = 0;
  TAlignment alignment = taLeftJustify;
  TColor color = FColor;
  if (Version >= 1) {
    tag = ReadStreamInt(Stream);
    alignment = TAlignment(ReadStreamOrdinal(Stream, taCenter));
  }
  if (Version >= 2)
    color = ReadStreamInt(Stream);

  FText = text;
  FHint = hint;
  SetStyle(style);
  SetImageIndex(imageIndex);
  SetLayout(layout);
  SetMargin(margin);
  SetSpacing(spacing);
  SetBiDiMode(bidi);
  if (Version >= 2)
    SetColor(color);
  SetOptions(TLTColumnOptions::FromInteger(options));
  SetTag(tag);
  SetAlignment(alignment);
  // Limits first: a width saved within wide limits must not be clamped by
  // the limits this column had before.
  FMinWidth = 0;
  FMaxWidth = std::max(maxWidth, 0);
  SetMinWidth(minWidth);
  SetWidth(width);
}

void TLazyTreeColumns::SaveToStream(TStream* Stream) const
{
  Stream->WriteValue<std::int32_t>(Count());
  if (Count() == 0)
    return;
  for (const auto& column : FItems)
    column->SaveToStream(Stream);
  for (TColumnIndex index : FPositionToIndex)
    Stream->WriteValue<std::int32_t>(index);
}

void TLazyTreeColumns::LoadFromStream(TStream* Stream, int Version)
{
  Clear();
  std::int32_t count = ReadStreamInt(Stream);
  if (count < 1)
    return;
  if (count > BytesLeft(Stream) / (kSmallestRecord + 4))
    RaiseTreeError(hcTFCorruptStream2);
  BeginUpdate();
  ScopeExit closeUpdate([this] { EndUpdate(); });
  for (std::int32_t i = 0; i < count; ++i)
    Add()->LoadFromStream(Stream, Version);
  std::vector<TColumnIndex> positions(std::size_t(count), NoColumn);
  std::vector<bool> seen(std::size_t(count), false);
  for (TColumnIndex& entry : positions) {
    entry = ReadStreamInt(Stream);
    if (!IsValidColumn(entry) || seen[std::size_t(entry)])
      RaiseTreeError(hcTFCorruptStream2);
    seen[std::size_t(entry)] = true;
  }
  FPositionToIndex = std::move(positions);
  UpdatePositions();
}
