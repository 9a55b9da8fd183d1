// TSection: one run of inline content with uniform paragraph settings: text
// with its font runs, inline and floating images and forced line breaks
// (marker characters), built by the document builder token by token,
// finished (white space collapsed, the source index built), then broken
// into lines (layout/SectionLayout.cpp), painted and hit-tested
// (paint/SectionPaint.cpp, paint/SectionHitTest.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/html/document/FontObj.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/SectionBase.h"
#include "controls/html/document/SectionImages.h"
#include "controls/html/document/SectionIndex.h"
#include "controls/html/document/SectionText.h"
#include "controls/html/layout/LineList.h"

class TAttributeList;
class TProperties;
class TPropStack;
class TokenObj;

// Marker characters inside a section's text.
inline constexpr char16_t FmCtlMark = 2;    // a form control
inline constexpr char16_t ImgPanMark = 4;   // an image or a panel
inline constexpr char16_t BrkMark = 8;      // a forced line break

// What a section being built needs, and only until it is finished: its
// text as it grows, a break flag ('y' a line may break after (at a space: at)
// the character, 'n' it may not) and the source position of each character.
// The document lends its spare one to the next section.
struct TSectionBuild {
  std::u16string Text;
  std::string BreakFlags;
  std::vector<int> SourceMap;
};

class TSection : public TSectionBase {
public:
  // Props gives the first font; a non-empty link target makes it a link
  // run; Attributes (or null) give CLEAR and ID.
  TSection(TSectionList* ADocument, bool FirstInParagraph, const TUrlTarget* Link, TProperties& Props,
           TAttributeList* Attributes);
  ~TSection() override;
  // Kept by the ten thousand in a long conversation: in slots of their own size.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Object, std::size_t Size) noexcept;

  // A conversation keeps every section it ever showed: the fields are held
  // no wider than a page needs, so that the object fits a 168-byte slot.
  TSectionText Text;  // its characters once finished (TextLength() while built)
  TFontList Fonts;
  TSectionImages Images;
  // Once finished: the break flags (one per character and one for the end)
  // and the source runs.
  TSectionIndex Index;
  TLineList Lines;
  int LineBoxHeight = -1;
  int PaintLeft = 0;
  // The widths measured last; a preformatted section's maximum is the
  // measured width of its text, kept once measured.
  int CachedMin = 0, CachedMax = 0;
  // The first line's indent in pixels (within +-10000), or, when
  // FirstIndentPercent is set, that share of the width of each layout.
  std::int16_t FirstIndent = 0;
  std::uint8_t FirstIndentPercent = 0;   // 0 to 90
  std::uint8_t Alignment : 3 = 1;        // 1 left, 2 centre, 3 right, 4 justify
  std::uint8_t ClearMode : 2 = 0;        // 0 none, 1 left, 2 right, 3 both
  bool Preformatted : 1 = false;         // TPreFormated: never wraps, keeps its white space

  // --- building
  // NoBreak: inside NOBR; Stack: the parser's property stack, for the text
  // transform and small capitals of its top entry.
  void AppendToken(const TokenObj& Token, bool NoBreak, TPropStack* Stack);
  void AppendChar(char16_t Ch, int SourcePos, bool NoBreak = false);
  void ChangeFont(TProperties& Props);
  // Starts (Target with a URL) or ends (Target null) a link at the end of the text.
  void ChangeLink(const TUrlTarget* Target, TProperties& Props);
  TImageObj* AppendImage(TAttributeList& Attributes, TProperties& Props, int SourcePos);
  // A box that stands in the text like an image (a form control, a panel).
  TImageObj* AppendObject(std::unique_ptr<TImageObj> Object, int SourcePos);
  void FinishText() override;
  // How many characters the section holds, while it is built as after.
  std::size_t TextLength() const { return FBuilding ? Build().Text.size() : Text.size(); }
  // An empty line of preformatted text still takes its height.
  bool IsEmpty() const override { return CharCount == 0 && TextLength() == 0 && !Preformatted; }

  // --- layout (layout/SectionLayout.cpp)
  void MeasureWidths(int& Min, int& Max) override;
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;

  // --- painting and hit testing (paint/)
  int Paint(HDC DC, const TRect& Clip, int X) override;
  bool HitLink(int X, int Y, THitLink& Hit) override;
  TImageObj* HitImage(int X, int Y) override;
  int CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight) override;
  bool CaretPoint(int Pos, int& X, int& Y) const override;
  bool CharAt(int Pos, char16_t& Ch) const override;
  int DocToSource(int Pos) const override;
  int SourceToDoc(int Source, bool TowardsPrevious) const override;
  void CopySelection() override;

  // The width of Count characters from Start, as layout and painting measure
  // them: text by font runs with their overhang, inline images with their
  // spaces, floating images nothing.
  int RunWidth(int Start, int Count, bool IgnoreTrailing = false) const;
  // How many characters from Start fit in Width (at most Count), and their width.
  int FitCount(int Start, int Count, int Width, int& Used) const;
  // The width of characters Start..Start+Count of one line with its justification.
  int LineTextWidth(const LineRec& Line, int Count) const;
  // The backgrounds and borders of the inline boxes that cross the line, up
  // to its painted end; drawn before its text.
  void PaintInlineBoxes(HDC DC, const LineRec& Line, int End);

private:
  template <class TOnImage, class TOnText>
  int WalkPieces(int Start, int End, TOnImage OnImage, TOnText OnText) const;
  // The extents of characters I..I+Count of F's run (ending at RunEnd)
  // relative to the one before I (Base is to be subtracted), from the run
  // measured once; nullptr when the piece is to be measured on its own (it
  // splits a surrogate pair or leaves the run).
  const int* CachedExtents(const TFontObj& F, int I, int Count, int RunEnd, int& Base) const;
  // Takes out the characters whose Drop flag is set (Drop as long as the
  // text), in one pass, with what taking them out one at a time from the
  // end would leave: font runs and images keep their characters, runs left
  // empty go. Nothing is done when no flag is set.
  void DeleteChars(const std::vector<char>& Drop);
  // Characters Start..Start+Count as UTF-16, as the font calls read them
  // (valid until the next call).
  const char16_t* WideText(int Start, int Count) const;
  // The first marker (picture, break, form control) at or after I, before
  // Limit (Limit when none); remembered by the document, so that layout
  // walking a section line after line reads its text once.
  int NextMarker(int I, int Limit) const;
  // Whether a line may break after character I: from the building flags
  // until the section is finished, from the index after.
  bool MayBreak(int I) const
  {
    return FBuilding ? Build().BreakFlags[std::size_t(I)] == 'y' : Index.MayBreak(std::size_t(I));
  }
  void AllowBreak(int I);
  // FinishText's removal of spaces next to spaces, floating pictures and breaks.
  bool HasSpaceToCollapse() const;
  void CollapseSpaces();
  void AppendText(std::u16string_view S, const int* Positions, std::size_t PositionCount, char Flag);
  // Keeps the text exactly and the rest as the index; gives the building
  // buffers back to the document for the next section.
  void KeepExactText();
  // The building state, which the document holds for the sections under
  // construction (TSectionList::SectionBuilds) and takes back when the
  // section is finished or dropped: a finished section keeps nothing of it.
  TSectionBuild& Build() const;
  void ReleaseBuild();
  // Where in SectionBuilds this section's building state is (its size: none).
  std::size_t FindBuild() const;
  // FirstIndent in pixels for a layout Width wide.
  int FirstIndentFor(int Width) const;
  // Lays out one line; Indent: the first line's indent (0 for later lines).
  int CompleteLine(LineRec& Line, int X, int Y, IndentManager& IMgr, int Indent, bool LastLine,
                   std::vector<TImageObj*>& Floats);
  bool FBuilding : 1 = true;  // until finished
};
