// TProperties: the 55 longhand style properties of one element or one style
// rule, with the element's identity, its character set and code page, and
// for links the fonts of the four link states. The parser keeps one per open
// element on its property stack: each inherits from the one below, is
// completed from the style sheet (Combine), may take presentational
// attributes, and then answers the layout through typed getters.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/html/styles/BoxValues.h"
#include "controls/html/styles/FontInfo.h"
#include "controls/html/styles/PropNames.h"
#include "controls/html/styles/PropValue.h"
#include "controls/html/styles/StyleConversions.h"
#include "controls/html/text/ListLabel.h"
#include "platform/base/Object.h"

class THtmlFontService;
class TStyleList;
class TPropStack;
class TFontMemo;


class TProperties : public TObject {
public:
  // Fonts realises the element's fonts and sizes its lengths; it outlives the set.
  explicit TProperties(const THtmlFontService& Fonts);
  ~TProperties() override;
  TProperties(const TProperties&) = delete;
  TProperties& operator=(const TProperties&) = delete;

  // The element (or, for a style rule, its selector key in PropTag).
  std::string PropTag, PropClass, PropID, PropPseudo, PropTitle;
  // The values of the element's STYLE attribute: a copy kept with the
  // element, so that it outlives the attribute list it was read from.
  TProperties* PropStyle = nullptr;

  std::array<TPropValue, PropCount> Props;
  std::array<bool, PropCount> ExplicitFlags{};

  const THtmlFontService& Fonts() const { return FFonts; }
  int ID() const { return FID; }
  BYTE CharSet() const { return FCharSet; }
  UINT CodePage() const { return FCodePage; }
  int EmSize() const { return FEmSize; }
  int ExSize() const { return FExSize; }
  void SetEmSize(int Value) { FEmSize = Value; FExSize = Value / 2; }
  TColor FontBG() const { return FFontBG; }
  bool HasFontInfo() const { return FHasFontInfo; }
  // The link fonts (present with HasFontInfo).
  const TFontInfoArray* FontInfo() const { return FFontInfo.get(); }

  // Makes the set as a new one (a fresh ID, nothing set) while keeping its
  // storage: the style stack reuses the entries it pops.
  void Reset();
  // Reset and then Inherit(Parent), without writing each value twice.
  void ResetAndInherit(const TProperties& Parent);
  // Copies the 55 values of Source.
  void Copy(const TProperties& Source);
  // The base entry of the parser's stack: the default rule's values and
  // character set, under the element name "default".
  void CopyDefault(const TProperties& Default);
  // Takes what an element inherits from Parent: after a span everything but
  // border-style; otherwise the inherited properties, with the box values
  // reset to IntNull and the non-inherited ones left alone.
  void Inherit(const TProperties& Parent);
  // Recomputes the set from Parent after an entry below it left the stack:
  // what the element set itself stays, the rest is inherited again.
  void Update(const TProperties& Parent, TStyleList* Styles, TPropStack* Stack, int StackIndex);
  // Applies the matching rules of Styles for the element and then AProp (its
  // STYLE attribute). Stack and StackIndex place the element for descendant
  // rules; without a stack those are not matched.
  void Combine(TStyleList* Styles, const std::string& Tag, const std::string& AClass, const std::string& AnID,
               const std::string& Pseudo, const std::string& ATitle, TProperties* AProp, TPropStack* Stack,
               int StackIndex);
  // Fills the four link fonts of an element at StackIndex of Stack.
  void ComputeLinkFonts(TStyleList* Styles, TPropStack* Stack, int StackIndex);

  // A presentational attribute: ignored when the style already set it.
  void AssignFromAttribute(int Index, const TPropValue& Value);
  // A declaration of a STYLE attribute (colours parsed, keywords numbered).
  void Assign(int Index, const std::string& Value);
  // The same by CSS name; unknown names are ignored.
  void AssignByName(std::string_view Name, const std::string& Value);
  // The character set, and the code page that goes with it; the private mark
  // 31 stands for ISO 8859-2.
  void AssignCharSet(int CS);
  void AssignUTF8();

  // The element's font, realised once (which sizes em and ex) and kept until
  // the set is reset or updated.
  const TMyFont& Font();
  // The same as a new object owned by the caller.
  std::unique_ptr<TMyFont> GetFont() { return std::make_unique<TMyFont>(Font()); }
  // Fonts lately realised by other sets with the same fonts service, which
  // Font takes instead of realising an equal one again; Memo outlives the set.
  void SetFontMemo(TFontMemo* Memo) { FFontMemo = Memo; }
  void GetFontInfo(ThtFontInfo& Info);
  void CopyLinkFonts(TFontInfoArray& Target) const;

  TColor GetBackgroundColor() const;
  TColor GetExplicitForegroundColor() const;
  void SetFontBG();
  bool GetBackgroundImage(std::string& S) const;
  void GetBackgroundPos(int EmSize, int ExSize, TBackgroundPosRec& P) const;
  bool GetVertAlign(TAlignmentStyle& Align) const;
  bool GetFloat(TAlignmentStyle& Align) const;
  bool GetClear(TClearAttrType& Clear) const;
  TListStyleType GetListStyleType() const;
  std::string GetListStyleImage() const;
  TPositionType GetPositionKind() const;
  TVisibilityType GetVisibility() const;
  int GetZIndex() const;
  bool DisplayNone() const;
  int GetLineHeight(int NewHeight) const;
  int GetTextIndent(bool& PC) const;
  TTextTransformType GetTextTransform() const;
  std::string GetFontVariant() const;
  void GetPageBreaks(bool& Before, bool& After, bool& Intact) const;
  TCssBorderStyle GetBorderStyle() const;
  // border-style was given at all ("none" included).
  bool BorderStyleNotBlank() const;
  // border-style names a style that is drawn: the parser then keeps an inline
  // box record for the element.
  bool HasBorderStyle() const;
  // The box values, the side styles turned into their numbers.
  void GetVMarginArray(TVMarginArray& VM) const;

  // Merges one rule of the style sheet into this set.
  void Merge(const TProperties& Rule);
  // The same, taking only the values at Indexes, which MergedIndexes listed
  // for the rule as it stands.
  void Merge(const TProperties& Rule, const std::vector<unsigned char>& Indexes);
  // The indexes of the values that Merge takes from this rule, in order.
  std::vector<unsigned char> MergedIndexes() const;

private:
  // True when Merge takes the value V at Index from a rule.
  static bool Merges(int Index, const TPropValue& V);
  void MergeValue(int Index, const TPropValue& V);
  void InheritProperty(const TProperties& Parent, int Index, bool FromSpan);
  // Reset but for the 55 values.
  void ResetAllButValues();
  // What Inherit takes from Parent besides the values.
  void InheritState(const TProperties& Parent);
  void SetLinkFontsFrom(const TProperties& Parent);

  const THtmlFontService& FFonts;
  std::unique_ptr<TProperties> FOwnStyle;
  std::shared_ptr<const TMyFont> FFont;
  TFontMemo* FFontMemo = nullptr;
  bool FHasFontInfo = false;
  std::unique_ptr<TFontInfoArray> FFontInfo;
  TColor FFontBG = clNone;
  BYTE FCharSet = DEFAULT_CHARSET;
  UINT FCodePage = 0;
  int FEmSize = 0;
  int FExSize = 0;
  int FID;
};

// Conversions of the box values into pixels, absolute units at
// PixelsPerInch. ConvMargArray fills 9 to 34 but
// the vertical margins, counting the auto values of margin-left, width and
// margin-right; ConvVertMargins fills the vertical margins, telling which took
// the default paragraph margin.
void ConvMargArray(const TVMarginArray& VM, int BaseWidth, int BaseHeight, int EmSize, int ExSize,
                   int PixelsPerInch, TMarginArray& M, int& AutoCount);
void ConvVertMargins(const TVMarginArray& VM, int Base, int EmSize, int ExSize, int PixelsPerInch, TMarginArray& M,
                     bool& TopAuto, bool& BottomAuto);
// Paddings of inline elements: -1 where none is given.
void ConvPaddingArray(const TVMarginArray& VM, int EmSize, int ExSize, int PixelsPerInch, TMarginArray& M);
// Margins, width and height of table cells.
void ConvCellMargins(const TVMarginArray& VM, int BaseWidth, int BaseHeight, int EmSize, int ExSize,
                     TMarginArray& M);
