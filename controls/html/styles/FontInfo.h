// The font descriptions of a link's four states, and the realised font of an
// element.
#pragma once

#include <memory>
#include <string>

#include "controls/html/styles/PropValue.h"
#include "controls/html/text/FontService.h"
#include "platform/base/Object.h"

// One font as the style model describes it (size in points).
class ThtFontInfo : public TObject {
public:
  std::string Name;
  double Size = 0;
  TFontStyles Style;
  TColor Color = 0;
  TColor bgColor = clNone;
  BYTE CharSet = DEFAULT_CHARSET;
  TPropValue LetterSpacing;  // as written

  friend bool operator==(const ThtFontInfo& A, const ThtFontInfo& B)
  {
    return A.Name == B.Name && A.Size == B.Size && A.Style == B.Style && A.Color == B.Color &&
           A.bgColor == B.bgColor && A.CharSet == B.CharSet && A.LetterSpacing == B.LetterSpacing;
  }
};

// The fonts of a link: normal, visited, hover, and hover over a visited link.
class TFontInfoArray : public TObject {
public:
  enum { LFont, VFont, HLFont, HVFont };

  TFontInfoArray();
  void Assign(const TFontInfoArray& Source);

  ThtFontInfo& Ar(int Index) { return *FAr[Index]; }
  const ThtFontInfo& Ar(int Index) const { return *FAr[Index]; }

  // Same fonts in all four states: the links of a document share one array.
  friend bool operator==(const TFontInfoArray& A, const TFontInfoArray& B)
  {
    for (int I = 0; I < 4; ++I)
      if (!(*A.FAr[I] == *B.FAr[I]))
        return false;
    return true;
  }

private:
  std::unique_ptr<ThtFontInfo> FAr[4];
};

// A font with the metrics it was realised with on the screen.
// NOTE: it carries the font fields itself until the class library's TFont
// exists, from which it will then derive.
class TMyFont : public TObject {
public:
  // The font as the platform takes it.
  std::string Name;
  int Height = 0;  // pixels; negative: character height
  TFontStyles Style;
  TColor Color = 0;
  BYTE CharSet = DEFAULT_CHARSET;

  TColor bgColor = clNone;
  int tmHeight = 0;
  int tmAscent = 0;
  int tmInternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmDescent = 0;
  int tmExternalLeading = 0;
  int tmMaxCharWidth = 0;
  int tmCharset = 0;
  int CharExtra = 0;  // pixels added between characters

  void Assign(const TMyFont& Source) { *this = Source; }
  THtmlFontDesc Desc() const { return {Name, Height, Style, CharSet, CharExtra}; }
};
