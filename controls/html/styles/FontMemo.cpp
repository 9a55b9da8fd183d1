#include "controls/html/styles/FontMemo.h"

#include "controls/html/styles/Properties.h"

namespace {

// The properties TProperties::GetFontInfo and GetFont read.
constexpr std::array<int, 7> FontProps = {piFontFamily, piFontSize,      piFontStyle, piFontWeight,
                                          piTextDecoration, piLetterSpacing, piColor};

}  // namespace

TFontMemo::TKey TFontMemo::KeyOf(const TProperties& Props)
{
  TKey Key;
  for (std::size_t I = 0; I < FontProps.size(); ++I)
    Key.Values[I] = Props.Props[std::size_t(FontProps[I])];
  Key.FontBG = Props.FontBG();
  Key.CharSet = Props.CharSet();
  return Key;
}

bool TFontMemo::Matches(const TKey& Key, const TProperties& Props)
{
  if (Key.FontBG != Props.FontBG() || Key.CharSet != Props.CharSet())
    return false;
  for (std::size_t I = 0; I < FontProps.size(); ++I)
    if (!(Key.Values[I] == Props.Props[std::size_t(FontProps[I])]))
      return false;
  return true;
}

const TFontMemo::TFont* TFontMemo::Find(const TProperties& Props) const
{
  // The most recent first: a run of siblings asks for the same font.
  const TEntry* Entry = FEntries.Find([&](const TEntry& E) { return Matches(E.Key, Props); });
  return Entry ? &Entry->Font : nullptr;
}

void TFontMemo::Add(const TProperties& Props, std::shared_ptr<const TMyFont> Font, int EmSize)
{
  FEntries.Remember({KeyOf(Props), {std::move(Font), EmSize}});
}

void TFontMemo::Clear()
{
  FEntries.Clear();
}
