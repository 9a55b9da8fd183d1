// The columns in form resources: the "Columns" collection of the tree, each
// column a property list of the values that differ from a new column's.
#include <algorithm>
#include <map>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeColumns.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"

namespace {

const char* const kColumnAlignments[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char* const kColumnBiDiModes[] = {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                        "bdRightToLeftReadingOnly"};
const char* const kColumnLayouts[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
const char* const kColumnStyles[] = {"vsText", "vsOwnerDraw"};
const char* const kColumnOptionNames[] = {"coAllowClick",   "coDraggable",    "coEnabled",
                                          "coParentBidiMode", "coParentColor", "coResizable",
                                          "coShowDropMark", "coVisible",      "coAutoSpring"};

template <std::size_t N>
int ColumnIdentOrdinal(TReader* Reader, const char* const (&Names)[N])
{
  std::string ident = Reader->ReadIdent();
  for (std::size_t i = 0; i < N; ++i)
    if (ident == Names[i])
      return int(i);
  throw EReadError(SInvalidPropertyValue);
}

}  // namespace

void TLazyTreeColumn::WriteFormProperties(TWriter* Writer) const
{
  const TLazyTreeColumn fresh(nullptr);
  auto integer = [&](const char* Name, int Value, int Default) {
    if (Value != Default) {
      Writer->WriteStr(Name);
      Writer->WriteInteger(Value);
    }
  };
  auto ident = [&](const char* Name, int Value, int Default, const char* const* Names) {
    if (Value != Default) {
      Writer->WriteStr(Name);
      Writer->WriteIdent(Names[Value]);
    }
  };
  ident("Alignment", FAlignment, fresh.FAlignment, kColumnAlignments);
  ident("BiDiMode", FBiDiMode, fresh.FBiDiMode, kColumnBiDiModes);
  integer("Color", int(FColor), int(fresh.FColor));
  integer("ImageIndex", FImageIndex, fresh.FImageIndex);
  ident("Layout", FLayout, fresh.FLayout, kColumnLayouts);
  integer("Margin", FMargin, fresh.FMargin);
  integer("MaxWidth", FMaxWidth, fresh.FMaxWidth);
  integer("MinWidth", FMinWidth, fresh.FMinWidth);
  if (FOptions != fresh.FOptions) {
    Writer->WriteStr("Options");
    Writer->WriteValue(vaSet);
    for (int i = 0; i <= int(coAutoSpring); ++i)
      if (FOptions.Contains(TLTColumnOption(i)))
        Writer->WriteStr(kColumnOptionNames[i]);
    Writer->WriteStr("");
  }
  Writer->WriteStr("Position");
  Writer->WriteInteger(FPosition);
  integer("Spacing", FSpacing, fresh.FSpacing);
  ident("Style", FStyle, fresh.FStyle, kColumnStyles);
  integer("Tag", FTag, fresh.FTag);
  integer("Width", FWidth, fresh.FWidth);
  for (auto [name, text] : {std::pair{"WideText", &FText}, std::pair{"WideHint", &FHint}})
    if (!text->empty()) {
      Writer->WriteStr(name);
      Writer->WriteWideString(*text);
    }
}

bool TLazyTreeColumn::ReadFormProperty(TReader* Reader, const std::string& Name)
{
  if (Name == "Alignment")
    SetAlignment(TAlignment(ColumnIdentOrdinal(Reader, kColumnAlignments)));
  else if (Name == "BiDiMode")
    SetBiDiMode(TBiDiMode(ColumnIdentOrdinal(Reader, kColumnBiDiModes)));
  else if (Name == "Color")
    SetColor(TColor(Reader->ReadInteger()));
  else if (Name == "ImageIndex")
    SetImageIndex(Reader->ReadInteger());
  else if (Name == "Layout")
    SetLayout(TLTGlyphLayout(ColumnIdentOrdinal(Reader, kColumnLayouts)));
  else if (Name == "Margin")
    SetMargin(Reader->ReadInteger());
  else if (Name == "MaxWidth")
    SetMaxWidth(Reader->ReadInteger());
  else if (Name == "MinWidth")
    SetMinWidth(Reader->ReadInteger());
  else if (Name == "Options") {
    TLTColumnOptions options;
    for (const std::string& option : ReadSetNames(Reader)) {
      auto* end = std::end(kColumnOptionNames);
      auto* found = std::find(std::begin(kColumnOptionNames), end, option);
      if (found == end)
        throw EReadError(SInvalidPropertyValue);
      options += TLTColumnOption(found - std::begin(kColumnOptionNames));
    }
    SetOptions(options);
  } else if (Name == "Spacing")
    SetSpacing(Reader->ReadInteger());
  else if (Name == "Style")
    SetStyle(TLTColumnStyle(ColumnIdentOrdinal(Reader, kColumnStyles)));
  else if (Name == "Tag")
    SetTag(Reader->ReadInteger());
  else if (Name == "Width")
    SetWidth(Reader->ReadInteger());
  else if (Name == "WideText")
    SetText(Reader->ReadWideString());
  else if (Name == "WideHint")
    SetHint(Reader->ReadWideString());
  else
    return false;
  return true;
}

void TLazyTreeColumns::WriteFormProperty(TWriter* Writer) const
{
  Writer->WriteValue(vaCollection);
  for (const auto& column : FItems) {
    Writer->WriteListBegin();
    column->WriteFormProperties(Writer);
    Writer->WriteListEnd();
  }
  Writer->WriteListEnd();
}

void TLazyTreeColumns::ReadFormProperty(TReader* Reader)
{
  if (Reader->ReadValue() != vaCollection)
    throw EReadError(SInvalidPropertyValue);
  Clear();
  BeginUpdate();
  std::vector<unsigned> stored;
  {
    struct TEndUpdate {
      TLazyTreeColumns* Columns;
      ~TEndUpdate() { Columns->EndUpdate(); }
    } endUpdate{this};
    while (!Reader->EndOfList()) {
      TValueType order = Reader->NextValue();
      if (order == vaInt8 || order == vaInt16 || order == vaInt32)
        Reader->ReadInteger();
      Reader->ReadListBegin();
      TLazyTreeColumn* column = Add();
      // Kept aside: the places are only valid once every column is there.
      stored.push_back(unsigned(Count() - 1));
      while (!Reader->EndOfList()) {
        std::string name = Reader->ReadStr();
        if (name == "Position")
          stored.back() = unsigned(std::max(0, Reader->ReadInteger()));
        else if (!column->ReadFormProperty(Reader, name))
          throw EReadError(Format(SPropertyDoesNotExist, name));
      }
      Reader->ReadListEnd();
    }
    Reader->ReadListEnd();
  }
  // The stored positions order the columns when each names another place.
  std::vector<TColumnIndex> order(stored.size(), NoColumn);
  bool permutation = true;
  for (std::size_t index = 0; index < stored.size() && permutation; ++index) {
    if (stored[index] >= order.size() || order[stored[index]] != NoColumn)
      permutation = false;
    else
      order[stored[index]] = TColumnIndex(index);
  }
  if (!permutation)
    for (std::size_t index = 0; index < order.size(); ++index)
      order[index] = TColumnIndex(index);
  FPositionToIndex = std::move(order);
  UpdatePositions();
}
