// THtmlView: the windowed control that shows an HTML document. It owns the
// document (a TSectionList), loads it from a string, lines, a stream or a
// file, lays it out to its client width, places a 32-bit vertical bar and a
// horizontal bar, and paints through its paint panel. Mouse, keys, wheel,
// panning, links, the visited list and the history are its interaction half
// (HtmlViewInput.cpp, HtmlViewLinks.cpp); copying and finding text live in
// HtmlViewText.cpp.
//
// Fonts are handed in (the program's raster service, a fixed one in tests)
// and outlive the viewer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/parser/AppendOnlyText.h"
#include "controls/html/viewer/BackgroundTiling.h"
#include "controls/html/viewer/ViewerGeometry.h"
#include "controls/html/viewer/ViewerTypes.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/gdi/SysColors.h"

class TBitmap;
class TPanel;
class TPaintPanel;
class TScrollBar;
class T32ScrollBar;
class TSectionList;
class TStream;
class TMemoryStream;
class TStrings;
class TTimer;
class THtmlFontService;
class THtmlDocumentBuild;
class TFontObj;
class TFormControlObj;
class TStringBitmapList;

class THtmlView : public TWinControl {
public:
  THtmlView(TComponent* AOwner, const THtmlFontService& Fonts);
  ~THtmlView() override;

  // --- loading
  // The list's whole text (each line followed by CR LF) as an HTML document;
  // an empty reference shows the top. OnMetaRefresh follows when the
  // document asked for a refresh.
  void LoadFromLines(const TStrings& Strings, const std::string& Reference);
  // Shows Strings as LoadFromLines(Strings, "") does, when the viewer last
  // showed the lines before them through LoadFromLines or AppendLines
  // (unchanged, Strings holding more lines after them): only the lines added
  // are parsed and laid out, when that gives what the whole text gives (the
  // same document, layout, pixels, position and selection). Otherwise, and
  // after any other load or a change of the viewer's settings, the whole
  // text is loaded again.
  void AppendLines(const TStrings& Strings);
  // Shows Text, which its owner only ever appends to (any other change is a
  // Rewrite), as LoadFromLines shows the lines it holds, reading it where it
  // is: the viewer holds no copy of it. The viewer shares Text's ownership,
  // so Text lives as long as the viewer shows it; the owner appends to it
  // only between calls, and calls again after appending, and the viewer then
  // parses and lays out only what was appended, where that gives what the
  // whole text gives (as AppendLines). After any other load, a Rewrite, a
  // change of the settings or with a parse event assigned, the whole text is
  // loaded (with a parse event, as a copy the event may change).
  // DocumentSource is then Text as its owner holds it; any other load makes
  // the viewer hold its source again.
  void ShowAppendOnlyText(std::shared_ptr<const TAppendOnlyText> Text);
  // The HTML texts parsed whole so far (lines read on do not count).
  int WholeParses() const { return FWholeParses; }
  void LoadFromString(const std::string& Source, const std::string& Reference = std::string(), bool AsText = false);
  // FileType 0 HTML, 1 plain text, 2 image. A missing file raises
  // EInOutError "Can't locate file: " + name and changes nothing.
  void LoadFromFile(const std::string& FileName, int FileType = 0);
  // The rest of the stream as an HTML document.
  void LoadFromStream(TStream& Stream, const std::string& Reference = std::string());
  virtual void Clear();

  // --- layout and scrolling
  // AfterAppend: only content was added at the end since the last layout
  // (see TSectionList::DoLogic).
  void FormatDocument(bool AfterAppend = false);
  void Reformat();
  void PlaceScrollBars();
  void ScrollTo(int Y);
  int GetVScrollPos() const;
  void SetVScrollPos(int Y);
  int GetPosition();
  void SetPosition(int P);
  int HScrollPos() const;
  int HScrollMax() const;
  void SetHScrollPos(int X);
  // Moves to a named place ("#name" or "name"); false when there is none.
  bool PositionTo(std::string Dest);
  int DocumentHeight() const { return FMaxVertical; }
  int DocumentWidth() const { return FScrollWidth; }
  int LayoutPasses() const { return FLastPasses; }

  // --- selection, copying and finding
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int Start, int Length);
  void SelectAll();
  // The selected text, markers dropped, breaks as CR LF.
  std::u16string SelText();
  // The selection as HTML: the source between the selection's ends, tags
  // cut in half completed from the source.
  std::string SelHtml();
  // Puts the selection on the clipboard as text and as "HTML Format".
  void CopyToClipboard();
  // Finds S after the caret (backwards before it); selects and shows it.
  bool Find(const std::u16string& S, bool MatchCase, bool Backwards = false);
  int CaretPos() const { return FCaretPos; }

  // --- links and history
  void ProcessHotSpotClick();
  void PostHotSpotClick();
  virtual std::string HTMLExpandFilename(const std::string& Name);
  void AddVisited(const std::string& Ref);
  void CheckVisitedLinks();
  void AddHistory(const std::string& OldFile, const std::u16string& OldTitle, int OldType,
                  std::unique_ptr<TStringList> FormData, int OldPos);
  void ClearHistory();
  // Back to the entry after the current one in the history, forward to the
  // one before it; each loads that entry's file when it differs and
  // restores its position.
  void GoBack();
  void GoForward();
  bool GetWordAt(int X, int Y, std::u16string& Word, int& After, int& Before);
  void MetaReceived(const std::string& HttpEq, const std::string& Name, const std::string& Content);
  // A form of the document was submitted: kept, and handed to OnFormSubmit
  // from the viewer's own message once the click that submitted it is over.
  // Nothing happens without OnFormSubmit.
  void FormSubmitReceived(const std::string& Action, const std::string& Target, const std::string& EncType,
                          const std::string& Method, std::unique_ptr<TStringList> Results);
  // The values of every form control ("name=value" lines, form after
  // form), or nothing when the document has no form controls.
  std::unique_ptr<TStringList> GetFormData();
  const TStringList& History() const { return *FHistory; }
  const TStringList& Visited() const { return *FVisited; }
  int HistoryIndex() const { return FHistoryIndex; }
  const std::string& HotSpotURL() const { return FURL; }
  const std::string& HotSpotTarget() const { return FTarget; }
  void SetHotSpot(const std::string& URL, const std::string& Target) { FURL = URL; FTarget = Target; }
  // The bytes of a picture that an image request answered "later" (with
  // WaitStream()) have come: every image waiting for SRC shows it and the
  // document is laid out again. False when nothing waits for SRC.
  bool InsertImage(const std::string& SRC, TMemoryStream* Stream);
  // The stream an OnImageRequest handler answers to mean "later".
  TMemoryStream* WaitStream() const { return FWaitStream.get(); }

  // --- printing
  // Prints pages FromPage to ToPage (1-based; 0 for the last) on the
  // platform's printer, into OutputFile (empty: the printer's own choice):
  // the document is laid out at the page width less the margins
  // (PrintMargin*, in centimetres) and PrintScale, no line is cut by a page
  // end, and the print events fire for each page in order (HTML header, header,
  // the page, HTML footer, footer). Answers the number of pages printed;
  // raises Exception when the printer cannot print.
  int Print(int FromPage = 1, int ToPage = 0, const std::string& OutputFile = std::string());
  // The document y where each printed page began, from the last Print.
  const std::vector<int>& PrintedPageTops() const { return FPageTops; }
  // The width the document was laid out at for the last Print.
  int PrintedWidth() const { return FPrintedWidth; }

  // Opens web addresses ("scheme://", "mailto:") that a click follows; the
  // default hands them to the desktop's opener. Tests replace it.
  std::function<void(const std::string& Url)> OpenWebLink;

  // --- state
  TSectionList& SectionList() { return *FSectionList; }
  const std::string& CurrentFile() const { return FCurrentFile; }
  int FileType() const { return FFileType; }
  const std::u16string& DocumentTitle() const { return FTitle; }
  const std::string& Base() const { return FBase; }
  const std::string& BaseTarget() const { return FBaseTarget; }
  const std::string& DocumentSource() const;
  bool Processing() const { return FProcessing; }
  bool Busy() const { return FBusy; }
  bool Panning() const { return FPanning; }
  bool FixedBackground() const { return FFixedBackground; }
  TPaintPanel* PaintPanel() const { return FPaintPanel; }
  T32ScrollBar* VScrollBar() const { return FVScrollBar; }
  TScrollBar* HScrollBar() const { return FHScrollBar; }
  TPanel* BorderPanel() const { return FBorderPanel; }
  TTimer* HoverTimer() const { return FHoverTimer; }
  TTimer* AnimationTimer() const { return FAnimationTimer; }
  int ScrollBarWidth() const { return FScrollBarWidth; }

  // --- published properties
  bool ViewImages() const;
  void SetViewImages(bool Value);
  TColor DefBackground() const { return FBackground; }
  void SetDefBackground(TColor Value);
  THTMLBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(THTMLBorderStyle Value);
  int HistoryMaxCount() const { return FHistoryMaxCount; }
  void SetHistoryMaxCount(int Value);
  const std::string& DefFontName() const { return FFontName; }
  void SetDefFontName(const std::string& Value) { FFontName = Value; }
  const std::string& DefPreFontName() const { return FPreFontName; }
  void SetDefPreFontName(const std::string& Value);
  int DefFontSize() const { return FFontSize; }
  void SetDefFontSize(int Value) { FFontSize = Value; }
  TColor DefFontColor() const { return FFontColor; }
  void SetDefFontColor(TColor Value) { FFontColor = Value; }
  TColor DefHotSpotColor() const { return FHotSpotColor; }
  void SetDefHotSpotColor(TColor Value) { FHotSpotColor = Value; }
  TColor DefVisitedLinkColor() const { return FVisitedColor; }
  void SetDefVisitedLinkColor(TColor Value) { FVisitedColor = Value; }
  TColor DefOverLinkColor() const { return FOverColor; }
  void SetDefOverLinkColor(TColor Value) { FOverColor = Value; }
  int VisitedMaxCount() const { return FVisitedMaxCount; }
  void SetVisitedMaxCount(int Value);
  int ImageCacheCount() const { return FImageCacheCount; }
  void SetImageCacheCount(int Value);
  bool NoSelect() const { return FNoSelect; }
  void SetNoSelect(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  int CharSet() const { return FCharSet; }
  void SetCharSet(int Value) { FCharSet = Value; }
  int MarginHeight() const { return FMarginHeight; }
  void SetMarginHeight(int Value) { FMarginHeight = Value; }
  int MarginWidth() const { return FMarginWidth; }
  void SetMarginWidth(int Value) { FMarginWidth = Value; }
  const std::string& ServerRoot() const { return FServerRoot; }
  void SetServerRoot(const std::string& Value);
  double PrintMarginLeft = 2.0, PrintMarginRight = 2.0, PrintMarginTop = 2.0, PrintMarginBottom = 2.0;
  double PrintScale() const { return FPrintScale; }
  void SetPrintScale(double Value);
  THtmlViewOptions htOptions() const { return FOptions; }
  void Sethtoptions(THtmlViewOptions Value);

  // Where the background picture goes: each load takes the BODY's style; the
  // default tiles from the top left and scrolls with the document.
  TBackgroundPlacement BackgroundPosition;

  // --- events
  THotSpotEvent OnHotSpotCovered;
  THotSpotClickEvent OnHotSpotClick;
  TNotifyEvent OnHistoryChange;
  THtmlViewProgressEvent OnProgress;
  TProcessingEvent OnProcessing;
  TSoundRequestEvent OnSoundRequest;
  TMetaType OnMeta;
  TLinkType OnLink;
  TMetaRefreshType OnMetaRefresh;
  TImageClickEvent OnImageClick;
  TImageOverEvent OnImageOver;
  TRightClickEvent OnRightClick;
  TMouseEvent OnMouseDouble;
  TStreamRequestEvent OnhtStreamRequest;
  // Pictures asked of the program before any file is read (both are handed
  // to the document at each load).
  TGetBitmapEvent OnBitmapRequest;
  TStreamRequestEvent OnImageRequest;
  TScriptEvent OnScript;
  TIncludeEvent OnInclude;
  TPrintHeaderEvent OnPrintHeader, OnPrintFooter;
  TPrintHTMLHeaderEvent OnPrintHTMLHeader, OnPrintHTMLFooter;
  TParseEvent OnParseBegin;
  TNotifyEvent OnParseEnd;
  TFormSubmitEvent OnFormSubmit;
  // The document's form controls and panels report through these.
  TObjectClickEvent OnObjectClick;
  TObjectTagEvent OnObjectFocus, OnObjectBlur, OnObjectChange;
  TFileBrowseEvent OnFileBrowse;
  TPanelCreateEvent OnPanelCreate;
  TPanelDestroyEvent OnPanelDestroy;
  TPanelPrintEvent OnPanelPrint;

  // --- the paint panel's handlers (virtual so descendants may refine them)
  virtual void ExtendSelection(int X, int Y);
  virtual void DrawDocument(HDC DC, const TRect& Clip);
  virtual void HTMLMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void HTMLMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  virtual void HTMLMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void HTMLDblClick(int X, int Y, TShiftState Shift);
  void UpdateBorder();
  // The background picture and its mask (null when none), fetched once per load.
  void BackgroundBitmap(TBitmap*& Image, TBitmap*& Mask);
  // The vertical bar was moved by the user (code of the scroll message).
  void VScrollBarMoved(int Code, int TrackPos);
  void Dispatch(TMessage& Message) override;
  void Repaint() override;
  HPALETTE GetPalette() override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void PaintWindow(HDC DC) override;
  virtual bool HotSpotClickHandled();

private:
  friend class TPaintPanel;

  void DoLoad(const std::string& Source, const std::string& Reference, bool AsText);
  void InitLoad();
  void DoneLoading(bool AfterAppend = false);
  // What a load takes from the viewer's settings and events: a document
  // read on after a change of any of them would differ from a new load.
  struct TLoadSettings {
    std::string FontName, PreFontName;
    int MarginWidth, MarginHeight, CharSet, FontSize;
    bool NoLinkUnderline, OverLinksActive, ShowImages;
    TColor OverColor, VisitedColor, HotSpotColor, FontColor, Background;
    TIncludeEvent Include;
    TScriptEvent Script;
    TGetBitmapEvent BitmapRequest;
    TStreamRequestEvent ImageRequest;
    bool operator==(const TLoadSettings&) const = default;
  };
  TLoadSettings LoadSettings() const;
  // Reads the lines after the first FLinesShown of Strings on into the
  // document; false, with nothing changed, when that cannot give what a
  // whole load gives.
  bool ReadOnLines(const TStrings& Strings);
  // ReadOnLines for the shared text: reads what was appended to it since it
  // was last shown.
  bool ReadOnAppended(const TAppendOnlyText& Text);
  // Whether the document last loaded may be read on: the events and
  // settings of its load, no form control or panel.
  bool CanReadOnDocument() const;
  // After a read on: the view as a whole load leaves it.
  void ShowReadOn();
  void SetProcessing(bool Value);
  // Runs Body with the processing flag on; at its end, also on an
  // exception, progress reports the end and the flag goes off.
  void RunProcessing(const std::function<void()>& Body);
  void Progress(TProgressStage Stage, int Percent);
  void WMSize();
  void HScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void HoverTimerTick(TObject* Sender);
  void ScrollLoop();
  void ScrollTimerTick(TObject* Sender);
  void GoHistory(int Index);
  void AnimationTick(TObject* Sender);
  // Runs the animation timer as the document asks (after a layout or a paint).
  void UpdateAnimationTimer();
  void MoveVertical(int NewPos, bool ScrollPixels);
  void OpenHtmlFile(const std::string& Name);
  void OpenImageFile(const std::string& Name);
  void OpenFile(const std::string& Name, int Type);
  bool SameReference(TFontObj* Link, const std::string& Ref);
  std::vector<int> AnchorTops();
  int PanelHeight() const;
  int PanelWidth() const;
  int FindCursor(int X, int Y, bool& InText);
  void StopPanning();
  void ControlEnter(TFontObj* Link);
  void ControlEnter(TFormControlObj* Control);
  void InstallDocumentEvents();
  // Hands the events the parser and the image request use to the document
  // for this load: only those that are assigned.
  void InstallParserEvents();
  // One printed page: the events and the document between PageTop and the
  // page's end, scaled onto the printer's page.
  struct TPrintGeometry;
  bool PrintPage(HDC Printer, const TPrintGeometry& G, int Number, int PageTop, int PageEnd, bool LastPage);
  // The document drawn between PageTop and the end of the page found by
  // painting; answers that end.
  int PaintPage(HDC DC, const TPrintGeometry& G, int PageTop);
  void DrawHeaderViewer(HDC Printer, const TPrintGeometry& G, int Number, bool LastPage, bool Footer, bool& Stop);
  void LinkFocusKey(WORD& Key, TShiftState Shift);

  const THtmlFontService& FFonts;
  std::unique_ptr<TSectionList> FSectionList;
  // The build of the document last loaded from HTML, while more text can be
  // read on into it; the lines it was loaded from (-1: not from lines), the
  // settings it was made with and the layout faults met until then.
  std::unique_ptr<THtmlDocumentBuild> FBuild;
  int FLinesShown = -1;
  TLoadSettings FBuildSettings{};
  int FBuildFaults = 0;
  int FWholeParses = 0;
  TPanel* FBorderPanel = nullptr;
  TPaintPanel* FPaintPanel = nullptr;
  T32ScrollBar* FVScrollBar = nullptr;
  TScrollBar* FHScrollBar = nullptr;
  TTimer* FHoverTimer = nullptr;
  TTimer* FScrollTimer = nullptr;  // the automatic scroll while selecting or panning
  TTimer* FAnimationTimer = nullptr;  // steps the animated pictures that were painted

  bool FCreating = true;
  bool FBusy = false;
  bool FProcessing = false;
  std::u16string FTitle;
  std::string FBase, FBaseTarget;
  std::string FURL, FTarget;  // the hot spot
  std::string FCurrentFile;
  int FFileType = 0;
  std::string FDocumentSource;
  // The source is the text the build's reader keeps (FDocumentSource is
  // empty): a long document is held once, not twice.
  bool FSourceInBuild = false;
  // The source is this text, shared with its owner and read where it is;
  // its revision and the size shown.
  std::shared_ptr<const TAppendOnlyText> FSharedSource;
  std::uint64_t FSharedRevision = 0;
  std::size_t FSharedShown = 0;
  // LoadFromString with the source handed over; with Shared, the source is
  // that text, read in place (Source is then empty).
  void LoadSource(std::string Source, const std::string& Reference, bool AsText,
                  std::shared_ptr<const TAppendOnlyText> Shared = nullptr);
  // Lets go of the source at the start of a load, which replaces it.
  void ForgetSource();
  // Frees the build, the source taken back from it first.
  void ReleaseBuild();
  int FRefreshDelay = 0;
  std::string FRefreshURL;
  int FScrollBarWidth = 16;
  int FScrollWidth = 0;   // document width, capped at 6000
  int FMaxVertical = 0;   // document height
  int FLastPasses = 0;
  int FCaretPos = 0;
  int FSelAnchor = -1;
  bool FFixedBackground = false;
  std::unique_ptr<TStringList> FHistory, FTitleHistory;
  std::vector<std::unique_ptr<PositionObj>> FPositionHistory;
  int FHistoryIndex = 0;
  std::unique_ptr<TStringList> FVisited;
  bool FOwnsCache = false;
  std::unique_ptr<TStringBitmapList> FImageCache;
  bool FBackgroundFetched = false;
  TBitmap* FBackgroundImage = nullptr;
  TBitmap* FBackgroundMask = nullptr;
  std::unique_ptr<TBitmap> FBackgroundStill;
  std::unique_ptr<TMemoryStream> FWaitStream;
  std::vector<int> FPageTops;
  int FPrintedWidth = 0;

  // interaction state
  bool FPanning = false;
  int FPanStartY = 0;
  bool FScrollLoopPosted = false;
  bool FClickPending = false;
  bool FSelecting = false;
  bool FLinkFollowed = false;
  bool FLinkFocusGuard = false;
  std::string FTitleAttr;
  struct TFormSubmission {
    std::string Action, Target, EncType, Method;
    std::unique_ptr<TStringList> Results;
  } FSubmission;

  // property values
  TColor FBackground = clBtnFace;
  THTMLBorderStyle FBorderStyle = htFocused;
  int FHistoryMaxCount = 0;
  std::string FFontName = "Times New Roman";
  std::string FPreFontName = "Courier New";
  int FFontSize = 12;
  TColor FFontColor = clBtnText;
  TColor FHotSpotColor = clBlue;
  TColor FVisitedColor = clPurple;
  TColor FOverColor = clBlue;
  int FVisitedMaxCount = 50;
  int FImageCacheCount = 5;
  bool FNoSelect = false;
  TScrollStyle FScrollBars = ssBoth;
  int FCharSet = 1;
  int FMarginHeight = 5, FMarginWidth = 10;
  std::string FServerRoot;
  double FPrintScale = 1.0;
  THtmlViewOptions FOptions{htPrintTableBackground, htPrintMonochromeBlack};
};

// An "HTML Format" clipboard block around an HTML fragment: the header with
// the offsets of the document and of the fragment, then the document.
std::string HtmlClipboardBlock(const std::string& Fragment);
