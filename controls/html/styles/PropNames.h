// The 55 longhand properties of the style model, indexed in the order of
// their name table.
#pragma once

#include <string_view>

enum ThtPropIndices {
  piFontFamily, piFontSize, piFontStyle, piFontWeight, piTextAlign, piTextDecoration, piLetterSpacing,
  piBorderStyle, piColor, piBackgroundColor, piBorderColor,
  piMarginTop, piMarginRight, piMarginBottom, piMarginLeft,
  piPaddingTop, piPaddingRight, piPaddingBottom, piPaddingLeft,
  piBorderTopWidth, piBorderRightWidth, piBorderBottomWidth, piBorderLeftWidth,
  piBorderTopColor, piBorderRightColor, piBorderBottomColor, piBorderLeftColor,
  piBorderTopStyle, piBorderRightStyle, piBorderBottomStyle, piBorderLeftStyle,
  piWidth, piHeight, piTop, piLeft, piVisibility, piLineHeight,
  piBackgroundImage, piBackgroundPosition, piBackgroundRepeat, piBackgroundAttachment,
  piVerticalAlign, piPosition, piZIndex, piListStyleType, piListStyleImage, piFloat, piClear,
  piTextIndent, piPageBreakBefore, piPageBreakAfter, piPageBreakInside, piTextTransform,
  piFontVariant, piDisplay,
};

inline constexpr int PropCount = 55;

// The CSS name of a property.
std::string_view PropName(int Index);
// True, with the index, when Name is one of the 55 names (exact comparison).
bool FindPropIndex(std::string_view Name, int& Index);

// The 26 box values run from background-color to left.
inline constexpr int FirstBoxProp = piBackgroundColor;
inline constexpr int LastBoxProp = piLeft;
