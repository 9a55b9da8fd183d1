// TFontMemo: the fonts lately realised for the elements of one parse, by the
// values they were made from. Most elements have the font inputs of their
// parent or of a sibling, and realising a font reads the family list, asks
// the font layer for metrics twice and allocates; a hit skips all of that.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "controls/html/RecentRing.h"
#include "controls/html/styles/FontInfo.h"
#include "controls/html/styles/PropValue.h"
#include "platform/base/Types.h"

class TProperties;

class TFontMemo {
public:
  struct TFont {
    std::shared_ptr<const TMyFont> Font;
    int EmSize = 0;
  };

  // The font made from the same inputs as Props would be made from, or null.
  const TFont* Find(const TProperties& Props) const;
  // Remembers the font made for Props, replacing the oldest one kept.
  void Add(const TProperties& Props, std::shared_ptr<const TMyFont> Font, int EmSize);
  // Forgets every font: the font layer may answer differently next time.
  void Clear();

private:
  // Everything a font is made from besides the font layer.
  struct TKey {
    std::array<TPropValue, 7> Values;
    TColor FontBG = clNone;
    BYTE CharSet = 0;
    friend bool operator==(const TKey&, const TKey&) = default;
  };
  static TKey KeyOf(const TProperties& Props);
  static bool Matches(const TKey& Key, const TProperties& Props);

  static constexpr std::size_t Size = 8;
  struct TEntry {
    TKey Key;
    TFont Font;
  };
  TRecentRing<TEntry, Size> FEntries;
};
