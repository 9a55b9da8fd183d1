// TFontObj and TFontList: the font runs of a text section. A run says from
// which character on a font applies; a run of a link also carries the link,
// its four state fonts (normal, visited, hover, visited and hovered) and its
// hover and focus state. TFontList keeps a section's runs in ascending order.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/html/document/SmallOwnerList.h"
#include "controls/html/parser/UrlTarget.h"
#include "controls/html/styles/FontInfo.h"
#include "platform/classes/ShiftState.h"

class TSection;
class TSectionList;
class ThtTabcontrol;

class TFontObj {
public:
  // AFont is one of Document's pooled fonts, realised against its font
  // service. A document has tens of thousands of runs: a run keeps no
  // pointer back to its section or document (what needs the document is
  // given it, and a link's part keeps it for the link's own calls), and
  // no table of virtual functions (it is always owned as what it is).
  TFontObj(TSectionList& Document, int APos, std::shared_ptr<const TMyFont> AFont);

  // One of the document's pooled fonts (TFontPool), which the pool keeps for
  // the document's life: a run holds a plain pointer, and changing the font
  // takes another pooled font, never changes the shared one.
  const TMyFont* Font;
  int Pos;  // index of the first character of the run in the section's text

  // The extents of the run's characters, measured from its start in one
  // call the first time layout asks (TSection::CachedExtents), kept in the
  // document's ExtentStore at ExtentsAt (-1: none, as once the font
  // changes): the store keeps there the room and how many characters were
  // measured, then their extents, so that a run whose length changed
  // measures again (into the same room when it fits).
  // Measures of an older ExtentsGeneration than the document's are gone.
  mutable int ExtentsAt = -1;
  mutable unsigned ExtentsGeneration = 0;

  std::int8_t VertAlign = 0;  // 8 subscript, 9 superscript, else 0
  bool Visited = false;
  bool Hover = false;
  bool Focused = false;

  // The link (an empty URL: not a link) and the TITLE text of the run.
  const TUrlTarget& UrlTarget() const { return FLinkPart ? FLinkPart->UrlTarget : NoUrlTarget(); }
  TUrlTarget& EditUrlTarget() { return LinkPart().UrlTarget; }
  void ClearUrlTarget();
  const std::string& Title() const { return FLinkPart ? FLinkPart->Title : NoTitle(); }
  void SetTitle(const std::string& Value);
  // The link's fonts for its visited and hover states (null: the run keeps
  // its font whatever its state). Never changed once made: the links of a
  // document share them (TSectionList::LinkFonts). Document pools the fonts
  // the states take.
  const TFontInfoArray* FIArray() const { return FLinkPart ? FLinkPart->FIArray.get() : nullptr; }
  void SetFIArray(TSectionList& Document, std::shared_ptr<const TFontInfoArray> States);
  void DropFIArray();
  // The y of the link's line, for scrolling it into view (0 for a run that
  // is no link).
  int YValue() const { return FLinkPart ? FLinkPart->YValue : 0; }
  void SetYValue(int Y);
  // The link's focus proxy: on the first run of each link only, made when
  // the document has a paint panel and not too many links. The run frees it;
  // when the panel goes first and takes it along, the proxy clears it.
  ThtTabcontrol* TabControl() const { return FLinkPart ? FLinkPart->TabControl : nullptr; }

  void ForgetExtents() { ExtentsAt = -1; }
  // Metrics of the realised font, which the font carries (it is realised
  // when the run takes it), so that runs of one font share them.
  int FontHeight() const { return Font->tmHeight; }
  int Ascent() const { return Font->tmAscent; }
  int Descent() const { return Font->tmDescent; }
  int LineHeight() const { return Font->tmHeight + Font->tmExternalLeading; }
  int Overhang() const { return Font->Style.Contains(fsItalic) ? Font->tmHeight / 10 : 0; }

  bool IsLink() const { return FLinkPart && !FLinkPart->UrlTarget.URL.empty(); }
  // Takes another of Document's pooled fonts.
  void ReplaceFont(TSectionList& Document, std::shared_ptr<const TMyFont> AFont);
  void SetVisited(bool Value);
  void SetHover(bool Value);
  // Hover on or off for every run of this run's link, found through the
  // document's link-run list.
  void SetAllHovered(TSectionList& Document, bool Value);
  ~TFontObj();
  // Kept by the ten thousand in a long conversation: in slots of their own size.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Object, std::size_t Size) noexcept;
  TFontObj(const TFontObj&) = delete;
  TFontObj& operator=(const TFontObj&) = delete;

  // Gives the link a focus proxy unless an earlier run of it has one; a
  // positive tab index enters it into the document's tab order.
  void MakeFocusable(TSectionList& Document);
  // The run of this link that holds its focus proxy (this run or an earlier one).
  TFontObj* FocusOwner(TSectionList& Document);
  // From the focus proxy: focus marks every run of the link; Enter follows
  // the link, other keys go to the viewer.
  void FocusGained();
  void FocusLost();
  void FocusKeyDown(WORD& Key, TShiftState Shift);
  // Frees the focus proxy and takes it out of the pending tab order.
  void DropFocusProxy();

private:
  friend class ThtTabcontrol;
  friend class TFontList;

  // What only a few runs of a document have: a link or a title. A long
  // document has tens of thousands of runs; the others hold a null pointer
  // instead of an empty target, title, state fonts and focus proxy.
  struct TLinkPart {
    TUrlTarget UrlTarget;
    std::string Title;
    std::shared_ptr<const TFontInfoArray> FIArray;
    ThtTabcontrol* TabControl = nullptr;
    int YValue = 0;
    // Set with the state fonts and the focus proxy, whose calls need it.
    TSectionList* Document = nullptr;
  };
  static const TUrlTarget& NoUrlTarget();
  static const std::string& NoTitle();
  TLinkPart& LinkPart();
  // Drops the link part once it holds nothing a plain run lacks.
  void DropLinkPartIfEmpty();
  // The proxy went (freed by its panel) or moved to another run.
  void ForgetTabControl();
  void UsePooledFont(TSectionList& Document, const TMyFont& AFont);
  void Realise(TSectionList& Document);
  void ApplyFontInfo(TSectionList& Document, const ThtFontInfo& Info);
  std::unique_ptr<TLinkPart> FLinkPart;
};

class TFontList {
public:
  TSmallOwnerList<TFontObj> Items;

  int Count() const { return int(Items.size()); }
  TFontObj* Last() const { return Items.empty() ? nullptr : Items.back().get(); }
  // The run covering Pos (the last whose start is at or before it), with its index.
  TFontObj* GetFontObjAt(int Pos, int* Index = nullptr) const;
  // Characters from Pos to the next run's start, or to Leng when none follows.
  int GetFontCountAt(int Pos, int Leng) const;
  // After characters were taken out: a run that now starts where the next
  // one does is empty and dropped (and leaves the document's link-run list).
  void DropEmptyRuns(TSectionList* Document);
};
