// The header's settings, spring adjustment, split zone, drop position and stream.
#include "controls/vtree/LazyTreeHeader.h"

#include <algorithm>
#include <cmath>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/MulDiv.h"
#include "platform/base/ScopeGuard.h"
#include "controls/vtree/StreamFields.h"
#include "platform/base/Stream.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/menus/PopupMenu.h"

namespace {

constexpr std::int32_t kHeaderStreamVersion = 3;
// Font names longer than this are taken as corrupt data.
constexpr std::int32_t kMaxFontName = 256;



}  // namespace

TLTHeader::TLTHeader() : FFont(std::make_unique<TFont>())
{
  // A moved column shows as a darkened, half-transparent copy.
  FDragImage.Transparency = 140;
  FDragImage.PreBlendBias = -50;
}

void TLTHeader::SetBackground(TColor Value)
{
  if (Value == FBackground)
    return;
  FBackground = Value;
  Invalidate(NoColumn);
}

void TLTHeader::SetStyle(TLTHeaderStyle Value)
{
  if (Value == FStyle)
    return;
  FStyle = Value;
  if (!FReadingColumns)
    Invalidate(NoColumn);
}

void TLTHeader::SetImages(TCustomImageList* Value)
{
  if (Value == FImages)
    return;
  FImages = Value;
  if (FTree && Value)
    FTree->FreeNotification(Value);
  Invalidate(NoColumn);
}

void TLTHeader::SetPopupMenu(TPopupMenu* Value)
{
  FPopupMenu = Value;
  if (FTree && Value)
    FTree->FreeNotification(Value);
}

void TLTHeader::SetSortDirection(TSortDirection Value)
{
  if (Value == FSortDirection)
    return;
  FSortDirection = Value;
  Invalidate(FSortColumn);
  if (OnSortChanged)
    OnSortChanged();
}

TLTHeader::~TLTHeader()
{
  FDragImage.EndDrag();
  FColumns.SetHost(nullptr);
  FColumns.Clear();
}

void TLTHeader::SetOptions(TLTHeaderOptions Value)
{
  bool autoResizeChanged = Value.Contains(hoAutoResize) != FOptions.Contains(hoAutoResize);
  bool visibleChanged = Value.Contains(hoVisible) != FOptions.Contains(hoVisible);
  FOptions = Value;
  if (autoResizeChanged && FColumns.Count() > 0 && !FReadingColumns)
    FColumns.AutoSize(NoColumn);
  if (visibleChanged && !FReadingColumns && OnLayoutChanged)
    OnLayoutChanged();
}

void TLTHeader::SetHeight(int Value)
{
  if (Value == FHeight)
    return;
  FHeight = Value;
  if (!FReadingColumns && OnLayoutChanged)
    OnLayoutChanged();
}

void TLTHeader::SetAutoSizeIndex(TColumnIndex Value)
{
  FAutoSizeIndex = Value;
  if (FOptions.Contains(hoAutoResize) && !FReadingColumns)
    FColumns.AutoSize(NoColumn);
}

void TLTHeader::SetMainColumn(TColumnIndex Value)
{
  // A form being read stores the value as it stands; the tree's loaded step clamps it.
  if (TreeLoading()) {
    FMainColumn = Value;
    return;
  }
  Value = FColumns.Count() == 0 ? NoColumn : std::clamp(Value, 0, FColumns.Count() - 1);
  if (Value == FMainColumn)
    return;
  FMainColumn = Value;
  if (FTree)
    FTree->MainColumnChanged();
}

void TLTHeader::UpdateMainColumn()
{
  if (FColumns.Count() > 0)
    FMainColumn = std::clamp(FMainColumn, 0, FColumns.Count() - 1);
}

void TLTHeader::ChangeScale(int M, int D)
{
  FFont->SetSize(MulDiv(FFont->Size(), M, D));
}

bool TLTHeader::TreeLoading() const
{
  return FTree && FTree->ComponentState().Contains(csLoading);
}

void TLTHeader::SetSortColumn(TColumnIndex Value)
{
  Value = std::clamp(Value, NoColumn, FColumns.Count() - 1);
  if (Value == FSortColumn)
    return;
  Invalidate(FSortColumn);
  FSortColumn = Value;
  Invalidate(FSortColumn);
  if (OnSortChanged)
    OnSortChanged();
}

void TLTHeader::ColumnRemoved(TColumnIndex Column)
{
  FAutoSizeIndex = RemovedIndex(FAutoSizeIndex, Column);
  FSortColumn = RemovedIndex(FSortColumn, Column);
  if (FMainColumn != Column) {
    FMainColumn = RemovedIndex(FMainColumn, Column);
    return;
  }
  // A removed main column hands over to the first remaining one, which is a change of main column.
  FMainColumn = InvalidColumn;
  SetMainColumn(0);
}

void TLTHeader::AdjustSpring(int HeaderWidth)
{
  // Remembered first: a width changed below may resize the tree, which comes back here.
  int previous = FSpringWidth;
  FSpringWidth = HeaderWidth;
  if (FOptions.Contains(hoAutoSpring) && previous >= 0)
    FColumns.ApplySpring(float(HeaderWidth - previous));
}

TColumnIndex TLTHeader::SplitZoneColumn(int X, int Origin)
{
  FColumns.TrackIndex = NoColumn;
  std::vector<TColumnIndex> visible = FColumns.VisibleColumns();
  int right = Origin;
  for (auto it = visible.rbegin(); it != visible.rend(); ++it) {
    TLazyTreeColumn* column = FColumns.Item(*it);
    if (X > right - 3 && X < right + 5) {
      if (!column->Options().Contains(coResizable))
        return NoColumn;
      FColumns.TrackIndex = *it;
      return *it;
    }
    right -= column->Width();
  }
  return NoColumn;
}

unsigned TLTHeader::DropPosition(TColumnIndex Dragged, TColumnIndex Target, bool Before) const
{
  unsigned from = FColumns.Item(Dragged)->Position(), at = FColumns.Item(Target)->Position();
  if (Before)
    return from < at ? (at > 0 ? at - 1 : 0) : at;
  return from < at ? at : at + 1;
}

void TLTHeader::SaveToStream(TStream* Stream) const
{
  Stream->WriteValue<std::int32_t>(-1);
  Stream->WriteValue<std::int32_t>(kHeaderStreamVersion);
  FColumns.SaveToStream(Stream);
  for (std::int32_t value : {FAutoSizeIndex, std::int32_t(FBackground), FHeight, std::int32_t(FOptions.ToInteger()),
                             std::int32_t(FStyle), std::int32_t(FFont->Color()), FFont->Height()})
    Stream->WriteValue<std::int32_t>(value);
  const std::string& name = FFont->Name();
  Stream->WriteValue<std::int32_t>(std::int32_t(name.size()));
  Stream->WriteBuffer(name.data(), Integer(name.size()));
  Stream->WriteValue<std::int32_t>(std::int32_t(FFont->Pitch()));
  Stream->WriteValue<std::int32_t>(std::int32_t(FFont->Style().ToInteger()));
  Stream->WriteValue<std::int32_t>(FMainColumn);
  Stream->WriteValue<std::int32_t>(FSortColumn);
  Stream->WriteValue<std::int32_t>(std::int32_t(FSortDirection));
}

void TLTHeader::ReadColumnsProperty(TReader* Reader)
{
  FReadingColumns = true;
  ScopeExit leave([&] { FReadingColumns = false; });
  FColumns.ReadFormProperty(Reader);
}

void TLTHeader::LoadFromStream(TStream* Stream)
{
  TLTHeaderOptions saved = FOptions;
  FReadingColumns = true;
  FOptions = TLTHeaderOptions();
  bool loaded = false;
  ScopeExit leave([&] {
    FReadingColumns = false;
    if (!loaded)
      FOptions = saved;
  });
  int version = -1;
  std::int32_t first = ReadStreamInt(Stream);
  if (first < 0)
    version = ReadStreamInt(Stream);
  else
    Stream->Seek(Int64(-4), soCurrent);
  FColumns.LoadFromStream(Stream, version);
  TColumnIndex autoSize = ReadStreamInt(Stream);
  TColor background = ReadStreamInt(Stream);
  int height = ReadStreamInt(Stream);
  auto options = TLTHeaderOptions::FromInteger(std::uint32_t(ReadStreamInt(Stream)) & 0xFFF);
  auto style = TLTHeaderStyle(ReadStreamOrdinal(Stream, hsXPStyle));
  TColor fontColor = ReadStreamInt(Stream);
  int fontHeight = ReadStreamInt(Stream);
  std::int32_t nameLength = ReadStreamInt(Stream);
  if (nameLength < 0 || nameLength > kMaxFontName || nameLength > Stream->Size() - Stream->Position())
    RaiseTreeError(hcTFCorruptStream2);
  std::string name(std::size_t(nameLength), '\0');
  Stream->ReadBuffer(name.data(), nameLength);
  auto pitch = TFontPitch(ReadStreamOrdinal(Stream, fpFixed));
  auto fontStyle = TFontStyles::FromInteger(std::uint32_t(ReadStreamInt(Stream)) & 0xF);
  TColumnIndex mainColumn = FMainColumn, sortColumn = FSortColumn;
  TSortDirection direction = FSortDirection;
  if (version > 0) {
    mainColumn = ReadStreamInt(Stream);
    sortColumn = ReadStreamInt(Stream);
    direction = TSortDirection(ReadStreamOrdinal(Stream, sdDescending));
  }

  FAutoSizeIndex = autoSize;
  FBackground = background;
  FHeight = height;
  FStyle = style;
  FFont->SetColor(fontColor);
  FFont->SetHeight(fontHeight);
  FFont->SetName(name);
  FFont->SetPitch(pitch);
  FFont->SetStyle(fontStyle);
  FReadingColumns = false;
  SetOptions(options);
  loaded = true;
  SetMainColumn(mainColumn);
  SetSortColumn(sortColumn);
  FSortDirection = direction;
}
