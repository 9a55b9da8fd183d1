// THtmlView: construction, properties, loading and the new-document step.
#include "controls/html/viewer/HtmlView.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/FontObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/paint/ViewerResources.h"
#include "controls/html/viewer/PaintPanel.h"
#include "controls/html/viewer/ScrollBar32.h"
#include "platform/base/Exception.h"
#include "platform/base/FileSystem.h"
#include "platform/base/FreedMemory.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/Stream.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/forms/Timer.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/stdctrls/Panel.h"
#include "platform/win/win.h"

namespace {

// Turns the flag on for the scope and off at its end, also on an exception.
class TFlagScope {
public:
  explicit TFlagScope(bool& AFlag) : Flag(AFlag) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& Flag;
};

// The whole of a stream the program answered, from its start.
std::string StreamBytes(TMemoryStream& Stream)
{
  std::string Data(std::size_t(std::max<Int64>(0, Stream.Size())), '\0');
  Stream.SetPosition(0);
  Data.resize(std::size_t(std::max(0, Stream.Read(Data.data(), Integer(Data.size())))));
  return Data;
}

void SplitReference(const std::string& Reference, std::string& Name, std::string& Dest)
{
  const std::size_t Hash = Reference.find('#');
  Name = Reference.substr(0, Hash);
  Dest = Hash == std::string::npos ? std::string() : Reference.substr(Hash + 1);
}

}  // namespace

THtmlView::THtmlView(TComponent* AOwner, const THtmlFontService& Fonts) : TWinControl(AOwner), FFonts(Fonts)
{
  FCreating = true;
  RegisterViewerCursors();
  SetBounds(Left(), Top(), 150, 150);
  SetTabStop(true);

  FBorderPanel = new TPanel(this);
  FBorderPanel->SetBevelInner(bvNone);
  FBorderPanel->SetBevelOuter(bvNone);
  FBorderPanel->SetParent(this);
  FBorderPanel->SetAlign(alClient);

  FPaintPanel = new TPaintPanel(this, this);
  FPaintPanel->SetParent(this);
  FPaintPanel->SetBounds(1, 1, 148, 148);

  FVScrollBar = new T32ScrollBar(this, this);
  FVScrollBar->SetSmallChange(16);
  FVScrollBar->SetVisible(false);
  FVScrollBar->SetTabStop(false);
  FVScrollBar->SetParent(this);
  FScrollBarWidth = FVScrollBar->Width();

  FHScrollBar = new TScrollBar(this);
  FHScrollBar->SetKind(sbHorizontal);
  FHScrollBar->SetSmallChange(15);
  FHScrollBar->SetVisible(false);
  FHScrollBar->SetTabStop(false);
  FHScrollBar->OnScroll = TScrollEvent(this, &THtmlView::HScroll);
  FHScrollBar->SetParent(this);

  FSectionList = std::make_unique<TSectionList>(Fonts);
  TSectionList& Doc = *FSectionList;
  Doc.ShowImages = true;
  Doc.PaintPanel = FPaintPanel;
  Doc.OnLinkFocus = [this](TFontObj* Link) { ControlEnter(Link); };
  Doc.OnFollowLink = [this](const TUrlTarget& Target) {
    SetHotSpot(Target.URL, Target.Target);
    PostHotSpotClick();
  };
  Doc.OnViewerKeyDown = [this](WORD& Key, TShiftState Shift) { LinkFocusKey(Key, Shift); };
  Doc.OnMeta = [this](const std::string& HttpEq, const std::string& Name, const std::string& Content) {
    MetaReceived(HttpEq, Name, Content);
  };
  Doc.OnLink = [this](const std::string& Rel, const std::string& Rev, const std::string& Href) {
    if (OnLink)
      OnLink(this, Rel, Rev, Href);
  };
  Doc.OnStreamRequest = [this](const std::string& Href, std::string& Data) {
    TMemoryStream* Stream = nullptr;
    if (OnhtStreamRequest)
      OnhtStreamRequest(this, Href, Stream);
    if (!Stream || Stream == FWaitStream.get())
      return false;
    Data = StreamBytes(*Stream);
    return true;
  };
  FWaitStream = std::make_unique<TMemoryStream>();
  InstallDocumentEvents();

  SetDefBackground(clBtnFace);
  SetImageCacheCount(5);
  Sethtoptions(FOptions);

  FHistory = std::make_unique<TStringList>();
  FTitleHistory = std::make_unique<TStringList>();
  FVisited = std::make_unique<TStringList>();
  FHoverTimer = new TTimer(this);
  FHoverTimer->SetEnabled(false);
  FHoverTimer->SetInterval(200);
  FHoverTimer->OnTimer = TNotifyEvent(this, &THtmlView::HoverTimerTick);
  FAnimationTimer = new TTimer(this);
  FAnimationTimer->SetEnabled(false);
  FAnimationTimer->OnTimer = TNotifyEvent(this, &THtmlView::AnimationTick);
  FCreating = false;
}

THtmlView::~THtmlView()
{
  // The document lets go of its cache entries and its links' focus proxies
  // (children of the paint panel, which still exists) before the cache goes.
  if (!FSectionList->BackgroundImage.empty() && FBackgroundFetched)
    FSectionList->ReleaseImage(FSectionList->BackgroundImage);
  FBuild.reset();
  FSectionList->Clear();
  FSectionList->SetImageCache(nullptr);
  FSectionList.reset();
  FImageCache.reset();
}

// --- properties

bool THtmlView::ViewImages() const { return FSectionList->ShowImages; }

void THtmlView::SetViewImages(bool Value)
{
  if (Value == FSectionList->ShowImages || FProcessing)
    return;
  const TCursor OldCursor = Screen()->Cursor();
  Screen()->SetCursor(crHourGlass);
  SetProcessing(true);
  try {
    FSectionList->ShowImages = Value;
    if (!FSectionList->Sections.empty()) {
      const int P = GetPosition();
      FormatDocument();
      SetPosition(P);
      Invalidate();
    }
  } catch (...) {
    Screen()->SetCursor(OldCursor);
    SetProcessing(false);
    throw;
  }
  Screen()->SetCursor(OldCursor);
  SetProcessing(false);
}

void THtmlView::SetDefBackground(TColor Value)
{
  if (FProcessing)
    return;
  FBackground = Value;
  FSectionList->Background = Value;
  FPaintPanel->SetColor(Value);
  FPaintPanel->Invalidate();
}

void THtmlView::SetBorderStyle(THTMLBorderStyle Value)
{
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  UpdateBorder();
}

void THtmlView::SetDefPreFontName(const std::string& Value)
{
  if (CompareText(Value, FPreFontName) != 0)
    FPreFontName = Value.substr(0, 32);
}

void THtmlView::SetImageCacheCount(int Value)
{
  Value = std::min(20, std::max(0, Value));
  if (Value == FImageCacheCount)
    return;
  FImageCacheCount = Value;
  if (FImageCache)
    FImageCache->SetCacheLimit(Value);
}

void THtmlView::SetNoSelect(bool Value)
{
  if (Value == FNoSelect)
    return;
  FNoSelect = Value;
  if (Value) {
    FSectionList->SelStart = FSectionList->SelEnd = -1;
    FPaintPanel->Invalidate();
  }
}

void THtmlView::SetScrollBars(TScrollStyle Value)
{
  if (Value == FScrollBars)
    return;
  FScrollBars = Value;
  if (ComponentState().Contains(csLoading) || !HandleAllocated())
    return;
  SetProcessing(true);
  try {
    FormatDocument();
  } catch (...) {
    SetProcessing(false);
    throw;
  }
  SetProcessing(false);
  Invalidate();
  FPaintPanel->Invalidate();
}

void THtmlView::SetServerRoot(const std::string& Value)
{
  std::string S = Trim(Value);
  if (!S.empty() && S.back() == '\\')
    S.pop_back();
  FServerRoot = S;
}

void THtmlView::SetPrintScale(double Value)
{
  FPrintScale = std::clamp(Value, 0.25, 4.0);
}

void THtmlView::Sethtoptions(THtmlViewOptions Value)
{
  FOptions = Value;
  FSectionList->Styles.SetLinksActive(Value.Contains(htOverLinksActive));
}

// --- processing and progress

void THtmlView::SetProcessing(bool Value)
{
  if (FProcessing == Value)
    return;
  FProcessing = Value;
  if (OnProcessing && !ComponentState().Contains(csLoading))
    OnProcessing(this, Value);
}

void THtmlView::RunProcessing(const std::function<void()>& Body)
{
  SetProcessing(true);
  try {
    Body();
  } catch (...) {
    Progress(psEnding, 100);
    SetProcessing(false);
    throw;
  }
  Progress(psEnding, 100);
  SetProcessing(false);
}

void THtmlView::Progress(TProgressStage Stage, int Percent)
{
  if (OnProgress)
    OnProgress(this, Stage, Percent);
}

// --- loading

void THtmlView::LoadFromLines(const TStrings& Strings, const std::string& Reference)
{
  if (FProcessing)
    return;  // a load during a load is ignored
  // The lines' text is made once and kept as the source.
  LoadSource(Strings.Text(), Reference, false);
  if (FBuild && Reference.empty())
    FLinesShown = Strings.Count();
  if (FRefreshDelay > 0 && OnMetaRefresh)
    OnMetaRefresh(this, FRefreshDelay, FRefreshURL);
}

THtmlView::TLoadSettings THtmlView::LoadSettings() const
{
  return {FFontName,
          FPreFontName,
          FMarginWidth,
          FMarginHeight,
          FCharSet,
          FFontSize,
          FOptions.Contains(htNoLinkUnderline),
          FOptions.Contains(htOverLinksActive),
          FSectionList->ShowImages,
          FOverColor,
          FVisitedColor,
          FHotSpotColor,
          FFontColor,
          FBackground,
          OnInclude,
          OnScript,
          OnBitmapRequest,
          OnImageRequest};
}

void THtmlView::AppendLines(const TStrings& Strings)
{
  if (FProcessing)
    return;  // as a load during a load
  if (!ReadOnLines(Strings)) {
    LoadFromLines(Strings, "");
    return;
  }
  if (FRefreshDelay > 0 && OnMetaRefresh)
    OnMetaRefresh(this, FRefreshDelay, FRefreshURL);
}

bool THtmlView::CanReadOnDocument() const
{
  const TSectionList& Doc = *FSectionList;
  // The events a load reports, and its progress, are those of a whole load.
  if (!FBuild || OnParseBegin || OnParseEnd || OnSoundRequest || OnProgress || Doc.LayoutFaults != FBuildFaults ||
      !(LoadSettings() == FBuildSettings))
    return false;
  // Form controls and panels are windows that the paint moves: a new load
  // makes them again, parked out of sight until painted.
  return Doc.Forms->ControlList.empty() && Doc.Forms->PanelList.empty();
}

void THtmlView::ShowReadOn()
{
  TSectionList& Doc = *FSectionList;
  // A load starts with no selection, caret or hovered link.
  FCaretPos = 0;
  FSelAnchor = -1;
  Doc.SelStart = Doc.SelEnd = -1;
  Doc.CaretPos = -1;
  Doc.MouseLeave();
  DoneLoading(true);
  FBuildFaults = Doc.LayoutFaults;
  CheckVisitedLinks();
  ScrollTo(0);
  SetHScrollPos(0);
  FPaintPanel->Invalidate();
}

bool THtmlView::ReadOnLines(const TStrings& Strings)
{
  if (FLinesShown < 0 || Strings.Count() < FLinesShown || !CanReadOnDocument())
    return false;
  // The added text is sized first: a large message is held once here, not
  // in a string grown by doubling.
  std::vector<std::string> Added;
  std::size_t Size = 0;
  for (int I = FLinesShown; I < Strings.Count(); ++I) {
    Added.push_back(Strings.Strings(I));
    Size += Added.back().size() + 2;
  }
  std::string More;
  More.reserve(Size);
  for (std::string& Line : Added) {
    More += Line;
    More += "\r\n";
    std::string().swap(Line);
  }
  if (More.empty())
    return false;
  bool Read = false;
  RunProcessing([&] {
    TFlagScope Busy(FBusy);
    if (!FBuild->ReadOn(More))
      return;
    Read = true;
    FLinesShown = Strings.Count();
    // Held by the build, the source grew with what the reader read on.
    if (!FSourceInBuild)
      FDocumentSource += More;
    ShowReadOn();
  });
  // What a large message took on its way in goes back to the system at the
  // next idle moment.
  NoteLargeRelease(More.capacity());
  return Read;
}

void THtmlView::ShowAppendOnlyText(std::shared_ptr<const TAppendOnlyText> Text)
{
  if (FProcessing || !Text)
    return;  // as a load during a load
  if (!ReadOnAppended(*Text)) {
    if (OnParseBegin)
      LoadSource(Text->Str(), "", false);  // the event may change the source: a copy
    else
      LoadSource(std::string(), "", false, std::move(Text));
    if (FSharedSource) {
      FSharedRevision = FSharedSource->Revision();
      FSharedShown = FSharedSource->Size();
    }
  }
  if (FRefreshDelay > 0 && OnMetaRefresh)
    OnMetaRefresh(this, FRefreshDelay, FRefreshURL);
}

bool THtmlView::ReadOnAppended(const TAppendOnlyText& Text)
{
  // Nothing appended reloads, as AppendLines does with no line added.
  if (FSharedSource.get() != &Text || Text.Revision() != FSharedRevision || Text.Size() <= FSharedShown ||
      !CanReadOnDocument())
    return false;
  bool Read = false;
  RunProcessing([&] {
    TFlagScope Busy(FBusy);
    if (!FBuild->ReadOnTo(Text.Str()))
      return;
    Read = true;
    FSharedShown = Text.Size();
    ShowReadOn();
  });
  return Read;
}

void THtmlView::LoadFromStream(TStream& Stream, const std::string& Reference)
{
  std::string Source;
  const Int64 Left = Stream.Size() - Stream.Position();
  if (Left > 0) {
    Source.resize(std::size_t(Left));
    Source.resize(std::size_t(Stream.Read(Source.data(), Integer(Left))));
  }
  LoadFromString(Source, Reference, false);
}

const std::string& THtmlView::DocumentSource() const
{
  if (FSharedSource)
    return FSharedSource->Str();
  return FSourceInBuild ? *FBuild->GivenText() : FDocumentSource;
}

void THtmlView::ReleaseBuild()
{
  if (FSharedSource) {
    FDocumentSource = FSharedSource->Str();
    FSharedSource.reset();
  } else if (FSourceInBuild) {
    FDocumentSource = *FBuild->GivenText();
  }
  FSourceInBuild = false;
  FBuild.reset();
}

void THtmlView::ForgetSource()
{
  // Not taken back from the build or the owner's text: it is replaced.
  FSharedSource.reset();
  FSourceInBuild = false;
  std::string().swap(FDocumentSource);
}

void THtmlView::LoadFromString(const std::string& Source, const std::string& Reference, bool AsText)
{
  // The source is copied before the load starts: the one shown now may be
  // handed in again, and it lives in the build, which the load frees.
  LoadSource(Source, Reference, AsText);
}

void THtmlView::LoadSource(std::string Source, const std::string& Reference, bool AsText,
                           std::shared_ptr<const TAppendOnlyText> Shared)
{
  if (FProcessing)
    return;  // a load during a load is ignored
  RunProcessing([&] {
    FRefreshDelay = 0;
    std::string Name, Dest;
    SplitReference(Reference, Name, Dest);
    TFlagScope Busy(FBusy);
    const std::string OldFile = FCurrentFile;
    FCurrentFile = Name.empty() ? std::string() : HTMLExpandFilename(Name);
    FFileType = AsText ? 1 : 0;
    Progress(psStarting, 0);
    ForgetSource();
    InitLoad();
    FCaretPos = 0;
    FSelAnchor = -1;
    if (OnSoundRequest)
      OnSoundRequest(this, "", 0, true);
    FDocumentSource = std::move(Source);
    if (OnParseBegin)
      OnParseBegin(this, FDocumentSource);
    if (AsText) {
      ParseTextIntoSections(FDocumentSource, *FSectionList);
    } else {
      FBuild = std::make_unique<THtmlDocumentBuild>(*FSectionList);
      FBuildSettings = LoadSettings();
      ++FWholeParses;
      if (Shared) {
        // Read where its owner holds it.
        FSharedSource = std::move(Shared);
        FBuild->ParseBorrowed(FSharedSource->Str());
      } else {
        // The build keeps the source: it is handed over, not copied.
        FBuild->Parse(std::move(FDocumentSource));
        FDocumentSource.clear();
        FSourceInBuild = true;
      }
    }
    DoneLoading();
    FBuildFaults = FSectionList->LayoutFaults;
    CheckVisitedLinks();
    if (Dest.empty() || !PositionTo(Dest))
      if (FCurrentFile.empty() || FCurrentFile != OldFile) {
        ScrollTo(0);
        SetHScrollPos(0);
      }
    FPaintPanel->Invalidate();
  });
}

void THtmlView::LoadFromFile(const std::string& FileName, int AFileType)
{
  if (FProcessing)
    return;
  const TCursor OldCursor = Screen()->Cursor();
  Screen()->SetCursor(crHourGlass);
  try {
    RunProcessing([&] {
      FRefreshDelay = 0;
      std::string Name, Dest;
      SplitReference(FileName, Name, Dest);
      const std::string Expanded = HTMLExpandFilename(Name);
      std::string Data;
      if (Name.empty() || !FileExists(Expanded))
        throw EInOutError("Can't locate file: " + Name, 2);
      if (AFileType != 2) {
        std::ifstream In(Expanded, std::ios::binary);
        if (!In)
          throw EInOutError("Can't locate file: " + Name, 2);
        std::ostringstream All;
        All << In.rdbuf();
        Data = All.str();
      }
      TFlagScope Busy(FBusy);
      Progress(psStarting, 0);
      ForgetSource();
      InitLoad();
      FCaretPos = 0;
      FSelAnchor = -1;
      const std::string OldFile = FCurrentFile;
      FCurrentFile = Expanded;
      FFileType = AFileType;
      FDocumentSource = std::move(Data);
      if (OnParseBegin)
        OnParseBegin(this, FDocumentSource);
      // What was parsed is laid out and shown even when parsing failed.
      auto Finish = [&] {
        DoneLoading();
        CheckVisitedLinks();
        if (Dest.empty() || !PositionTo(Dest))
          if (FCurrentFile != OldFile) {
            ScrollTo(0);
            SetHScrollPos(0);
          }
      };
      try {
        if (AFileType == 0) {
          if (OnSoundRequest)
            OnSoundRequest(this, "", 0, true);
          ++FWholeParses;
          ParseHtmlIntoSections(FDocumentSource, *FSectionList);
        } else if (AFileType == 1) {
          ParseTextIntoSections(FDocumentSource, *FSectionList);
        } else {
          ParseHtmlIntoSections("<img src=\"" + Expanded + "\">", *FSectionList);
        }
      } catch (...) {
        Finish();
        throw;
      }
      Finish();
      FPaintPanel->Invalidate();
    });
  } catch (...) {
    Screen()->SetCursor(OldCursor);
    throw;
  }
  Screen()->SetCursor(OldCursor);
  if (FRefreshDelay > 0 && OnMetaRefresh)
    OnMetaRefresh(this, FRefreshDelay, FRefreshURL);
}

void THtmlView::InitLoad()
{
  TSectionList& Doc = *FSectionList;
  if (!FImageCache) {
    FImageCache = std::make_unique<TStringBitmapList>();
    FImageCache->SetSorted(true);
    FImageCache->SetCacheLimit(FImageCacheCount);
    FOwnsCache = true;
    Doc.SetImageCache(FImageCache.get());
  }
  if (FBackgroundFetched && !Doc.BackgroundImage.empty())
    Doc.ReleaseImage(Doc.BackgroundImage);
  FBackgroundFetched = false;
  FBackgroundImage = FBackgroundMask = nullptr;
  FAnimationTimer->SetEnabled(false);
  // The build refers to the document's objects: it goes first.
  ReleaseBuild();
  FLinesShown = -1;
  Doc.Clear();
  FImageCache->AgeCache();
  Doc.MarginWidth = FMarginWidth;
  Doc.MarginHeight = FMarginHeight;
  Doc.Styles.StyleDefaultSheet(FFontName, FPreFontName, FMarginWidth, FMarginHeight, FCharSet,
                               !FOptions.Contains(htNoLinkUnderline), FOverColor, FVisitedColor, FHotSpotColor,
                               FFontColor, FFontSize);
  Doc.Styles.SetLinksActive(FOptions.Contains(htOverLinksActive));
  Doc.Background = FBackground;
  Doc.SelStart = Doc.SelEnd = -1;
  InstallParserEvents();
}

void THtmlView::InstallParserEvents()
{
  TSectionList& Doc = *FSectionList;
  Doc.OnInclude = OnInclude;
  Doc.EventSender = this;
  Doc.OnScript = nullptr;
  if (OnScript)
    Doc.OnScript = [this](const std::string& Name, const std::string& Language, const std::string& Text) {
      if (OnScript)
        OnScript(this, Name, Language, Text);
    };
  Doc.OnSoundRequest = nullptr;
  if (OnSoundRequest)
    Doc.OnSoundRequest = [this](const std::string& Source, int Loop, bool Terminate) {
      if (OnSoundRequest)
        OnSoundRequest(this, Source, Loop, Terminate);
    };
  Doc.OnBitmapRequest = nullptr;
  if (OnBitmapRequest)
    Doc.OnBitmapRequest = [this](const std::string& Source, TColor& Color) -> TBitmap* {
      TBitmap* Bitmap = nullptr;
      Color = clNone;
      if (OnBitmapRequest)
        OnBitmapRequest(this, Source, Bitmap, Color);
      return Bitmap;
    };
  Doc.OnImageRequest = nullptr;
  if (OnImageRequest)
    Doc.OnImageRequest = [this](const std::string& Source, std::string& Data) {
      TMemoryStream* Stream = nullptr;
      if (OnImageRequest)
        OnImageRequest(this, Source, Stream);
      if (!Stream)
        return TSectionList::TImageAnswer::None;
      if (Stream == FWaitStream.get())
        return TSectionList::TImageAnswer::Wait;
      Data = StreamBytes(*Stream);
      return TSectionList::TImageAnswer::Data;
    };
}

bool THtmlView::InsertImage(const std::string& SRC, TMemoryStream* Stream)
{
  TSectionList& Doc = *FSectionList;
  const std::string Data = Stream && Stream != FWaitStream.get() ? StreamBytes(*Stream) : std::string();
  const bool Background = !Doc.BackgroundImage.empty() &&
                          TStringBitmapList::Key(Doc.BackgroundImage) == TStringBitmapList::Key(SRC);
  if (!Doc.SupplyPicture(SRC, Data))
    return false;
  if (Background)
    FBackgroundFetched = false;
  if (FBusy || FProcessing)
    return true;  // the layout under way measures the images anew
  Reformat();
  FPaintPanel->Invalidate();
  return true;
}

void THtmlView::DoneLoading(bool AfterAppend)
{
  TSectionList& Doc = *FSectionList;
  FTitle = Doc.Title;
  FBase = Doc.BaseUrl;
  FBaseTarget = Doc.BaseTarget;
  if (OnParseEnd)
    OnParseEnd(this);
  TFlagScope Busy(FBusy);
  FPaintPanel->SetColor(Doc.Background);
  BackgroundPosition = PlacementOf(Doc.BackgroundPos);
  TBitmap *Image = nullptr, *Mask = nullptr;
  BackgroundBitmap(Image, Mask);
  FormatDocument(AfterAppend);
}

void THtmlView::BackgroundBitmap(TBitmap*& Image, TBitmap*& Mask)
{
  TSectionList& Doc = *FSectionList;
  if (!FBackgroundFetched) {
    FBackgroundFetched = true;
    if (!Doc.BackgroundImage.empty() && Doc.ShowImages && !Doc.IsPending(Doc.BackgroundImage)) {
      int Transparent = 0;
      TBitmap* M = nullptr;
      bool FromCache = false, Waiting = false;
      TPersistent* Picture = Doc.GetTheBitmap(Doc.BackgroundImage, Transparent, M, FromCache, Waiting);
      if (Waiting)
        Doc.AddPending(Doc.BackgroundImage, nullptr);
      if (auto* Gif = dynamic_cast<TGIFImage*>(Picture)) {
        FBackgroundImage = Gif->StillBitmap();
        FBackgroundMask = Gif->IsTransparent() ? Gif->StillMask() : nullptr;
      } else if (auto* Bmp = dynamic_cast<TBitmap*>(Picture)) {
        FBackgroundImage = Bmp;
        FBackgroundMask = M;
      } else if (Picture) {
        Doc.ReleaseImage(Doc.BackgroundImage);  // a kind of picture a background cannot use
      }
      if (!Picture)
        FBackgroundFetched = true;
    }
  }
  Image = FBackgroundImage;
  Mask = FBackgroundMask;
}

void THtmlView::Clear()
{
  if (FProcessing)
    return;
  FHoverTimer->SetEnabled(false);
  FAnimationTimer->SetEnabled(false);
  TSectionList& Doc = *FSectionList;
  if (FBackgroundFetched && !Doc.BackgroundImage.empty())
    Doc.ReleaseImage(Doc.BackgroundImage);
  FBackgroundFetched = false;
  FBackgroundImage = FBackgroundMask = nullptr;
  ReleaseBuild();
  FLinesShown = -1;
  Doc.Clear();
  if (FOwnsCache && FImageCache)
    FImageCache->Clear();
  InitLoad();
  FBase.clear();
  FBaseTarget.clear();
  FTitle.clear();
  FMaxVertical = 0;
  FScrollWidth = 0;
  Doc.YOff = 0;
  FVScrollBar->SetParams32(0, FVScrollBar->Page32(), 0, 0);
  FVScrollBar->SetVisible(false);
  FVScrollBar->SetHeight(FPaintPanel->Height());
  FHScrollBar->SetVisible(false);
  FCaretPos = 0;
  FSelAnchor = -1;
  if (OnSoundRequest)
    OnSoundRequest(this, "", 0, true);
  Invalidate();
  FPaintPanel->Invalidate();
}

void THtmlView::UpdateAnimationTimer()
{
  const TSectionList& Doc = *FSectionList;
  if (Doc.TimerEnabled && Doc.TimerInterval > 0) {
    FAnimationTimer->SetInterval(unsigned(Doc.TimerInterval));
    FAnimationTimer->SetEnabled(true);
  } else {
    FAnimationTimer->SetEnabled(false);
  }
}

// Steps the pictures the last paint showed, then paints again; the next
// paint decides whether the timer goes on.
void THtmlView::AnimationTick(TObject*)
{
  TSectionList& Doc = *FSectionList;
  if (FBusy || FProcessing)
    return;
  Doc.TimerTick();
  UpdateAnimationTimer();
  FPaintPanel->Invalidate();
}
