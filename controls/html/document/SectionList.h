// TSectionList: the parsed document. It is the top-level cell of the flow
// and holds what belongs to the document as a whole: the style sheet, the
// link runs in document order, the maps, the animated images, the inline
// box records, the selection and the caret, the hover state, the image
// request with its cache and the rules for which files may be read.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/html/RecentRing.h"
#include "controls/html/document/BlockBox.h"
#include "controls/html/document/CellBasic.h"
#include "controls/html/document/FontPool.h"
#include "controls/html/styles/BackgroundPosition.h"
#include "controls/html/styles/BoxValues.h"
#include "controls/html/styles/StyleList.h"
#include "platform/base/Method.h"
#include "platform/base/Types.h"
#include "platform/classes/ShiftState.h"

class TBitmapItem;
class TFontInfoArray;
class TFontObj;
class TImageObj;
class TMapItem;
class TPersistent;
class TBitmap;
class TStringBitmapList;
class TProperties;
class TStringList;
class TWinControl;
class TUrlTarget;
class TDocumentForms;
struct TSectionBuild;

// A span-level element with a border or background: its character range
// (document positions once converted) and its converted box values.
struct TInlineRec {
  int StartB = 0;
  int EndB = InlineOpen;
  int SourceStart = 0, SourceEnd = InlineOpen;
  int PropID = 0;
  TColor Background = clNone;
  int Border[4] = {};         // widths, left top right bottom
  TColor BorderColor[4] = {};
  int BorderStyle[4] = {};
  static constexpr int InlineOpen = 0x7FFFFFFF;  // no real position reaches it
};

// A floating image, painted after the flow that placed it.
struct TDrawItem {
  TImageObj* Image;
  const TFontObj* Font;
  int X, Y;
};

// The document is also an object of its own: it is the sender of the
// include event when no viewer stands in front of it.
class TSectionList : public TCellBasic, public TObject {
public:
  explicit TSectionList(const THtmlFontService& AFonts);
  ~TSectionList() override;

  const THtmlFontService& Fonts;
  TStyleList Styles;

  // --- view state
  int YOff = 0;            // the document y at the top of the visible area
  int SelStart = 0, SelEnd = 0;
  int CaretPos = -1;
  bool ShowCaret = false;
  bool ShowImages = true;
  TColor Background = 0xFFFFFF;
  std::string BackgroundImage;  // the BODY's, painted by the viewer with its position
  TBackgroundPosRec BackgroundPos;
  std::u16string CopyBuffer;
  TBoxValuePool BoxValuePool;  // the distinct box values of the document's blocks
  TBlockBoxPool BlockBoxPool;  // the distinct boxes in pixels of the document's blocks
  TFontPool FontPool;          // the distinct fonts of the document's text runs

  // --- what files the document may read. Pictures and linked style sheets
  // are read from disk only inside AllowedFolders (every folder when the list
  // is empty and RestrictFiles is off) and only up to MaxFileBytes.
  bool RestrictFiles = false;
  std::vector<std::string> AllowedFolders;
  std::size_t MaxFileBytes = 8u << 20;
  bool LoadLinkedSheets = true;
  // Turns a source as written into a file name; by default back slashes
  // become slashes.
  std::function<std::string(const std::string&)> OnExpandName;
  std::string ExpandName(const std::string& Source) const;
  // True when FileName may be read: inside the allowed folders, a regular
  // file, not above MaxFileBytes.
  bool FileAllowed(const std::string& FileName) const;
  // The content of FileName when it may be read (never more than MaxFileBytes).
  bool ReadAllowedFile(const std::string& FileName, std::string& Data) const;

  // --- what the builder hands on: the viewer's stream request for linked
  // sheets (true when it supplied Data), and the META and LINK notices.
  std::function<bool(const std::string& Href, std::string& Data)> OnStreamRequest;
  std::function<void(const std::string& HttpEquiv, const std::string& Name, const std::string& Content)> OnMeta;
  std::function<void(const std::string& Rel, const std::string& Rev, const std::string& Href)> OnLink;
  // The viewer's include event: the text that replaces an include comment
  // ("<!--#command params-->"); the reader caps nesting and volume.
  Method<void(TObject* Sender, const std::string& Command, TStringList* Params, std::string& IString)> OnInclude;
  // The sender of the events handed on (the viewer); the document itself without one.
  TObject* EventSender = nullptr;

  // A SCRIPT element's content, read when this is set.
  std::function<void(const std::string& Name, const std::string& Language, const std::string& Text)> OnScript;
  // A BGSOUND element asks for its sound (Loop 1 unless it says).
  std::function<void(const std::string& Source, int Loop, bool Terminate)> OnSoundRequest;

  // A section whose layout failed was dropped: the message goes to OnLog
  // (the host's log), or to the standard error stream without one.
  std::function<void(const std::string& Message)> OnLog;
  void LogLayoutFault(const std::string& Message);
  int LayoutFaults = 0;  // sections dropped so far

  // --- the forms with their controls, the panels, and their events (forms/)
  std::unique_ptr<TDocumentForms> Forms;

  // --- keyboard focus for links: their focus proxies live on the viewer's
  // paint panel (none without one). Proxies with a tab index wait in
  // TabOrderList, keyed "%.5d%.3d" by tab index and arrival, until layout
  // gives them consecutive tab orders.
  TWinControl* PaintPanel = nullptr;
  std::multimap<std::string, TWinControl*> TabOrderList;
  std::function<void(TFontObj*)> OnLinkFocus;
  std::function<void(const TUrlTarget&)> OnFollowLink;
  std::function<void(WORD&, TShiftState)> OnViewerKeyDown;
  // The key of a control in TabOrderList: tab index, then arrival, fixed
  // width, so that string order is the order of the pair for every value.
  static std::string TabOrderKey(int TabIndex, std::size_t Arrival);
  // Enters a new link run into LinkList and gives its link a focus proxy.
  void AddLinkRun(TFontObj* Run);
  // The state fonts of a link made with Props, shared with a recent link's
  // when they are the same (the links of a document have a style or two).
  std::shared_ptr<const TFontInfoArray> LinkFonts(const TProperties& Props);
  void ApplyTabOrder();

  // --- document-wide lists
  std::vector<TFontObj*> LinkList;  // every link run, in document order
  std::vector<std::unique_ptr<TMapItem>> MapList;
  std::vector<TImageObj*> AnimList;
  // The GIF pictures the last paint showed, once each: the next paint hides
  // them before it shows what it paints, and the timer steps only those, so
  // that neither visits every picture of a long conversation.
  std::vector<TImageObj*> ShownPictures;
  std::vector<TInlineRec> InlineList;
  std::vector<TDrawItem> DrawList;
  bool ManyLinks = false;
  int TextSectionCount = 0;
  int LayoutCycle = 0;
  // The measured character extents of the font runs (TFontObj::ExtentsAt
  // says where a run's are): one store for the whole document instead of a
  // vector per run. It serves one layout (all its passes) and the paints
  // and clicks until the next: ForgetExtents empties it, and the runs
  // measured under an older ExtentGeneration measure again when asked.
  std::vector<int> ExtentStore;
  unsigned ExtentGeneration = 1;
  // The most the store grows to while other runs' extents are in it: a run
  // that would pass it forgets them all first (they measure again when next
  // asked). A whole long text would otherwise keep four bytes per character,
  // and twice that while the store grows, at the peak of its layout.
  static constexpr std::size_t ExtentStoreBound = std::size_t(1) << 16;
  // After a layout: a whole conversation's extents would stay in memory
  // (four bytes per character) only to spare measuring it again at the next
  // change of width. A small store keeps its room for the next layout.
  void ForgetExtents();
  // Room for the section being built: its characters, break flags and source
  // positions grow here, and the finished section keeps an exact copy of its
  // text and a compact index of the rest, so a section costs one allocation
  // per table instead of one per growth, and nothing for what only building
  // reads.
  std::unique_ptr<TSectionBuild> SpareBuild;
  // Where a stretch of a narrow section text is widened for a font call.
  std::u16string WideScratch;
  // The building state of the sections under construction (mostly one, a
  // few when content opens a section before another is finished), held
  // here so that a finished section keeps no pointer for it.
  std::vector<std::pair<const TSectionBase*, std::unique_ptr<TSectionBuild>>> SectionBuilds;
  // The last search for a marker character in a text section's layout
  // (TSection::NextMarker): [From, At) of Section's text holds none, At is
  // one (or the end). Layout walks a section line after line; one record
  // for the document spares a pair of fields in every section.
  struct TMarkerSearch {
    const TSectionBase* Section = nullptr;
    int From = 0, At = -1;
  };
  TMarkerSearch MarkerSearch;
  int TableNestLevel = 0;     // tables being laid out, one inside the other
  bool TableFinalPass = false;  // the outermost table is placing its cells
  int* FirstLineY = nullptr;  // the first-line slot of the list item being laid out
  TFontObj* HoverLink = nullptr;
  TImageObj* HoverImage = nullptr;
  std::u16string Title;
  // What the document names: its base reference and target (BASE), and the
  // places that ID attributes and A NAME give, with their source positions.
  std::string BaseUrl, BaseTarget;
  std::vector<std::pair<std::string, int>> IdNames;

  // --- the animation timer, as the viewer drives it: 50 ms after a layout
  // that found animated pictures, 40 ms after its first tick.
  int TimerInterval = 0;
  bool TimerEnabled = false;
  void TimerTick();

  // --- the image cache; the document makes its own when none is given.
  void SetImageCache(TStringBitmapList* Cache);
  TStringBitmapList* ImageCache();
  int DecodeCount = 0;  // pictures decoded for this document (not from the cache)

  // Empties the document for the next load.
  void Clear();
  // Rebuilds the default style sheet from the viewer's defaults; the margins
  // are the viewer's (10 and 5 unless it was told otherwise).
  void SetDefaults(const std::string& FontName, const std::string& PreFontName, TColor FontColor, double FontSize,
                   TColor LinkColor, TColor VisitedColor, TColor OverColor, TColor ABackground,
                   int AMarginWidth = 10, int AMarginHeight = 5);
  int MarginWidth = 10, MarginHeight = 5;  // the BODY element starts from these
  const TProperties* DefaultProperties() const { return Styles.DefProp(); }

  // Lays the document out at Width; returns its height. MaxWidth receives
  // the width it would like.
  // AfterAppend: the document changed since its last layout only by
  // content added at the end of its body (THtmlDocumentBuild::ReadOn), so
  // only that content is laid out when the width and height are those of
  // the last layout; the result is that of a whole layout.
  int DoLogic(int Width, int Height, bool AfterAppend = false);
  bool ResumeLayout = false;  // the layout under way may lay out added content alone
  int DocHeight = 0;
  int DocMaxWidth = 0;
  int DocLength = 0;  // characters of the document, from the last layout
  // Paints the visible part: Clip in screen coordinates, YOff subtracted.
  void Draw(HDC DC, const TRect& Clip, int X = 0);

  // The link (or title) under a document point; hover fonts follow it.
  bool LinkAtPoint(int X, int Y, THitLink& Hit);
  void MouseLeave();
  // The left button went down or up: a hovered state image shows pressed (2)
  // or hovered (1).
  void MouseButton(bool Pressed);
  bool LeftButtonDown = false;
  // The BODY's background picture, obtained through the image request the
  // first time it is asked for (when images are shown); null when there is
  // none or it cannot be had. The viewer tiles it with BackgroundPos.
  TImageObj* BackgroundPicture();

  // The viewer's image events, installed by the viewer for a load when it
  // has them. A bitmap request answers a picture (the document takes it)
  // and its transparent colour (clNone for none); an image request answers
  // the bytes of a picture, nothing (the file is read), or "later": the
  // source then waits in PendingImages until SupplyPicture brings it.
  enum class TImageAnswer { None, Data, Wait };
  std::function<TBitmap*(const std::string& Source, TColor& TransparentColor)> OnBitmapRequest;
  std::function<TImageAnswer(const std::string& Source, std::string& Data)> OnImageRequest;

  // The picture of Source: from the cache, else through the image events or
  // the file (when allowed), and cached. Null when there is none; Waiting
  // tells that it is still coming. Entry, when given, receives the cache
  // entry counting this use, so that a caller that lets the picture go at
  // once need not look it up again.
  TPersistent* GetTheBitmap(const std::string& Source, int& Transparent, TBitmap*& Mask, bool& FromCache,
                            bool& Waiting, TBitmapItem** Entry = nullptr);
  void ReleaseImage(const std::string& Source);
  // Pictures still coming: (cache key, waiting image; null for the
  // document's background), in the order they were asked for.
  std::vector<std::pair<std::string, TImageObj*>> PendingImages;
  bool IsPending(const std::string& Source);
  void AddPending(const std::string& Source, TImageObj* Image);
  void ForgetPending(TImageObj* Image);
  // The bytes of a pending picture have come: they go into the cache and
  // every image waiting for them takes them at its next measure (the error
  // picture when they cannot be decoded). False when nothing waits for Source.
  bool SupplyPicture(const std::string& Source, const std::string& Data);

  // --- printing: the document is laid out and painted page by page into a
  // printer's device context. Painting stops at PageBottom (a line that
  // would be cut goes to the next page, which PageBottom then reaches up
  // to); window controls are drawn into the page instead of being moved.
  bool Printing = false;
  bool PrintBackground = false;      // backgrounds and light text are printed as they are
  bool MonochromePrinter = false;    // text that is not white prints black
  bool PrintMonoBlack = true;
  int PageBottom = 0;       // document y where the page being printed ends
  int PageHeight = 0;       // the height of a whole page, in document pixels
  bool PageShortened = false;  // a table row ended the page early
  // Paged printing of a line at document y Top, Height high: true when it is
  // painted on this page; false when the page ends above it (PageBottom is
  // moved up to it) and painting stops there. Only a line taller than a
  // page is ever cut.
  bool LineOnPage(int Top, int Height);
  // A table row ends the page at y.
  void EndPageAt(int Y);
  // The colour text prints in: not white on a monochrome printer is black;
  // without backgrounds, text too light to read on paper is grey.
  TColor PrintTextColor(TColor Color) const;

  TMapItem* FindMap(const std::string& Name) const;
  void ForgetLink(TFontObj* Link);
  // Inline box records: Open starts one for the property entry at Pos,
  // otherwise the last open one of that entry ends there.
  void InlineRecord(TProperties& Props, int Pos, bool Open);
  void ConvertInlineList();
  bool InlineConverted = false;
  // The point of a document position; at or past the end, 15 pixels below
  // the last character.
  bool PositionPoint(int Pos, int& X, int& Y) const;

private:
  TPersistent* RequestPicture(const std::string& Source, int& Transparent, TBitmap*& Mask, bool& Waiting);
  TPersistent* LoadPictureFile(const std::string& FileName, int& Transparent, TBitmap*& Mask);
  std::unique_ptr<TImageObj> FBackgroundPicture;
  bool FBackgroundLoaded = false;
  std::unique_ptr<TStringBitmapList> FOwnCache;
  TStringBitmapList* FCache = nullptr;
  // The cache key of each picture source met, kept until the document is
  // cleared: a conversation names the same few smileys a thousand times.
  std::unordered_map<std::string, std::string> FImageKeys;
  const std::string& ImageKey(const std::string& Source);
  TRecentRing<std::shared_ptr<const TFontInfoArray>, 4> FRecentLinkFonts;
};
