#include "controls/html/document/SectionList.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "controls/html/document/FontObj.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/MapItem.h"
#include "controls/html/document/Section.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/layout/IndentManager.h"
#include "platform/classes/controls/WinControl.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/styles/Properties.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/base/StringRoutines.h"

TSectionList::TSectionList(const THtmlFontService& AFonts)
    : TCellBasic(this), Fonts(AFonts), Styles(AFonts), Forms(std::make_unique<TDocumentForms>(*this))
{
  Tag = "default";
}

TSectionList::~TSectionList()
{
  Clear();
}

void TSectionList::SetImageCache(TStringBitmapList* Cache)
{
  FCache = Cache;
}

TStringBitmapList* TSectionList::ImageCache()
{
  if (!FCache) {
    FOwnCache = std::make_unique<TStringBitmapList>();
    FOwnCache->SetSorted(true);
    FCache = FOwnCache.get();
  }
  return FCache;
}

void TSectionList::Clear()
{
  // Document objects go first: they release their cache entries and leave
  // the document's lists. The animation list is emptied before them, as it
  // goes whole anyway: each image taking itself out of it would cost a scan
  // of the rest, quadratic in a conversation full of animated smileys. The
  // link-run list and the pending tab order go first for the same reason:
  // each link run would otherwise search them as it goes.
  AnimList.clear();
  ShownPictures.clear();
  LinkList.clear();
  TabOrderList.clear();
  HoverLink = nullptr;
  PendingImages.clear();  // nothing waits once the images go
  Sections.clear();
  FBackgroundPicture.reset();
  FImageKeys.clear();
  FBackgroundLoaded = false;
  Forms->Clear();
  LinkList.clear();
  TabOrderList.clear();
  MapList.clear();
  AnimList.clear();
  InlineList.clear();
  DrawList.clear();
  ForgetExtents();
  BoxValuePool.Clear();
  FontPool.Clear();
  FRecentLinkFonts.Clear();
  HoverLink = nullptr;
  HoverImage = nullptr;
  SelStart = SelEnd = 0;
  CaretPos = -1;
  TimerEnabled = false;
  TimerInterval = 0;
  TextSectionCount = 0;
  ManyLinks = false;
  InlineConverted = false;
  BackgroundImage.clear();
  BackgroundPos = {};
  Title.clear();
  BaseUrl.clear();
  BaseTarget.clear();
  IdNames.clear();
  DecodeCount = 0;
  DocLength = 0;
}

void TSectionList::LogLayoutFault(const std::string& Message)
{
  ++LayoutFaults;
  const std::string Entry = "HTML layout: a section was dropped: " + Message;
  if (OnLog)
    OnLog(Entry);
  else
    std::fprintf(stderr, "%s\n", Entry.c_str());
}

void TSectionList::SetDefaults(const std::string& FontName, const std::string& PreFontName, TColor FontColor,
                               double FontSize, TColor LinkColor, TColor VisitedColor, TColor OverColor,
                               TColor ABackground, int AMarginWidth, int AMarginHeight)
{
  MarginWidth = AMarginWidth;
  MarginHeight = AMarginHeight;
  Styles.StyleDefaultSheet(FontName, PreFontName, MarginWidth, MarginHeight, DEFAULT_CHARSET, true, OverColor, VisitedColor, LinkColor,
                           FontColor, FontSize);
  Background = ABackground;
}

std::string TSectionList::ExpandName(const std::string& Source) const
{
  if (OnExpandName)
    return OnExpandName(Source);
  std::string S = Source;
  std::replace(S.begin(), S.end(), '\\', '/');
  return S;
}

bool TSectionList::FileAllowed(const std::string& FileName) const
{
  namespace fs = std::filesystem;
  std::error_code Ec;
  // A missing file (a chat asks for its absent pictures on every reload) is
  // refused by one look-up, before the dearer resolution of the path.
  if (!fs::is_regular_file(fs::path(FileName), Ec) || Ec)
    return false;
  const fs::path Path = fs::weakly_canonical(fs::path(FileName), Ec);
  if (Ec || !fs::is_regular_file(Path, Ec) || Ec)
    return false;
  const auto Size = fs::file_size(Path, Ec);
  if (Ec || Size > MaxFileBytes)
    return false;
  if (AllowedFolders.empty())
    return !RestrictFiles;
  for (const std::string& Folder : AllowedFolders) {
    const fs::path Root = fs::weakly_canonical(fs::path(Folder), Ec);
    if (Ec)
      continue;
    auto [RootEnd, PathIt] = std::mismatch(Root.begin(), Root.end(), Path.begin(), Path.end());
    if (RootEnd == Root.end() || (std::next(RootEnd) == Root.end() && RootEnd->empty()))
      return true;
  }
  return false;
}

bool TSectionList::ReadAllowedFile(const std::string& FileName, std::string& Data) const
{
  Data.clear();
  if (!FileAllowed(FileName))
    return false;
  std::ifstream In(FileName, std::ios::binary);
  if (!In)
    return false;
  Data.resize(MaxFileBytes);
  In.read(Data.data(), std::streamsize(MaxFileBytes));
  Data.resize(std::size_t(In.gcount()));
  return true;
}

void TSectionList::ReleaseImage(const std::string& Source)
{
  if (FCache)
    FCache->ReleaseImage(ImageKey(Source));
}

const std::string& TSectionList::ImageKey(const std::string& Source)
{
  auto It = FImageKeys.find(Source);
  if (It == FImageKeys.end())
    It = FImageKeys.emplace(Source, TStringBitmapList::Key(Source)).first;
  return It->second;
}

TMapItem* TSectionList::FindMap(const std::string& Name) const
{
  for (auto& M : MapList)
    if (M->MapName == Name)
      return M.get();
  return nullptr;
}

void TSectionList::ForgetLink(TFontObj* Link)
{
  std::erase(LinkList, Link);
  Link->DropFocusProxy();
  if (HoverLink == Link)
    HoverLink = nullptr;
}

void TSectionList::InlineRecord(TProperties& Props, int Pos, bool Open)
{
  if (Open) {
    TInlineRec R;
    R.SourceStart = Pos;
    R.PropID = Props.ID();
    R.Background = Props.GetBackgroundColor();
    TVMarginArray VM;
    Props.GetVMarginArray(VM);
    TMarginArray M{};
    int Autos = 0;
    ConvMargArray(VM, 200, 200, Props.EmSize(), Props.ExSize(), Fonts.PixelsPerInch(), M, Autos);
    for (int S = 0; S < 4; ++S) {
      const int Side = (S + 3) % 4;
      R.Border[S] = std::clamp(M[std::size_t(piBorderTopWidth + Side)], 0, 100);
      const int C = M[std::size_t(piBorderTopColor + Side)];
      R.BorderColor[S] = C == IntNull ? TColor(0) : TColor(C);
      R.BorderStyle[S] = M[std::size_t(piBorderTopStyle + Side)];
    }
    InlineList.push_back(R);
    InlineConverted = false;
    return;
  }
  for (auto It = InlineList.rbegin(); It != InlineList.rend(); ++It)
    if (It->PropID == Props.ID() && It->SourceEnd == TInlineRec::InlineOpen) {
      It->SourceEnd = Pos;
      InlineConverted = false;
      return;
    }
}

void TSectionList::ConvertInlineList()
{
  if (InlineConverted)
    return;
  for (TInlineRec& R : InlineList) {
    R.StartB = SourceToDoc(R.SourceStart, false);
    R.EndB = R.SourceEnd == TInlineRec::InlineOpen ? TInlineRec::InlineOpen : SourceToDoc(R.SourceEnd, true) + 1;
    if (R.StartB < 0)
      R.StartB = 0;
    if (R.EndB <= R.StartB)
      R.StartB = R.EndB - 1;
  }
  InlineConverted = true;
}

int TSectionList::DoLogic(int Width, int Height, bool AfterAppend)
{
  ++LayoutCycle;
  // Tab orders given by the layout number the whole document.
  ResumeLayout = AfterAppend && TabOrderList.empty();
  TimerEnabled = false;
  if (!TabOrderList.empty())
    ApplyTabOrder();
  IndentManager IMgr;
  IMgr.Reset(0, std::max(0, Width));
  int Pos = 0;
  try {
    DocHeight = DoLayout(0, 0, std::max(0, Width), Height, IMgr, DocMaxWidth, Pos);
  } catch (...) {
    ResumeLayout = false;
    throw;
  }
  ResumeLayout = false;
  DocLength = Pos;
  DocHeight = std::max(DocHeight, PaintBottom);
  // Every animated picture starts again; the timer runs at 50 ms until its first tick.
  TimerInterval = 50;
  TimerEnabled = !AnimList.empty();
  return DocHeight;
}

void TSectionList::ForgetExtents()
{
  ++ExtentGeneration;
  ExtentStore.clear();
  constexpr std::size_t KeptRoom = 16384;
  if (ExtentStore.capacity() > KeptRoom)
    std::vector<int>().swap(ExtentStore);
}

void TSectionList::TimerTick()
{
  if (!TimerEnabled)
    return;
  for (TImageObj* Image : ShownPictures)
    if (auto* Gif = dynamic_cast<TGIFImage*>(Image->Image); Gif && Gif->Animate() && Gif->Visible())
      Gif->StepAnimation(nullptr);
  TimerInterval = 40;
}

void TSectionList::Draw(HDC DC, const TRect& Clip, int X)
{
  for (TImageObj* Image : ShownPictures) {
    Image->ShownByLastPaint = false;
    if (auto* Gif = dynamic_cast<TGIFImage*>(Image->Image))
      Gif->SetVisible(false);
  }
  ShownPictures.clear();
  DrawList.clear();
  Forms->BeginPaint();
  TCellBasic::Draw(DC, Clip, X, 0);
  for (const TDrawItem& D : DrawList)
    D.Image->Draw(DC, D.X, 0, D.Y - D.Image->VSpaceT, D.Font);
  DrawList.clear();
  Forms->EndPaint();
  TimerEnabled = !AnimList.empty();
}

bool TSectionList::LinkAtPoint(int X, int Y, THitLink& Hit)
{
  TFontObj* OldLink = HoverLink;
  TImageObj* OldImage = HoverImage;
  HoverLink = nullptr;
  HoverImage = nullptr;
  const bool Result = HitLink(X, Y, Hit);
  if (OldImage != HoverImage) {
    if (OldImage)
      OldImage->SetHover(0);
    if (HoverImage)
      HoverImage->SetHover(LeftButtonDown ? 2 : 1);
  }
  if (Styles.LinksActive() && OldLink != HoverLink) {
    if (OldLink)
      OldLink->SetAllHovered(*this, false);
    if (HoverLink)
      HoverLink->SetAllHovered(*this, true);
  }
  return Result;
}

void TSectionList::MouseLeave()
{
  if (HoverLink)
    HoverLink->SetAllHovered(*this, false);
  if (HoverImage)
    HoverImage->SetHover(0);
  if ((HoverLink || HoverImage) && PaintPanel)
    PaintPanel->Invalidate();
  HoverLink = nullptr;
  HoverImage = nullptr;
}

void TSectionList::MouseButton(bool Pressed)
{
  LeftButtonDown = Pressed;
  if (HoverImage)
    HoverImage->SetHover(Pressed ? 2 : 1);
}

TImageObj* TSectionList::BackgroundPicture()
{
  if (!FBackgroundLoaded && ShowImages && !BackgroundImage.empty()) {
    FBackgroundLoaded = true;
    FBackgroundPicture = std::make_unique<TImageObj>(this, BackgroundImage);
    FBackgroundPicture->Measure(0, 0, nullptr);
    if (FBackgroundPicture->Missing)
      FBackgroundPicture.reset();
  }
  return FBackgroundPicture.get();
}

bool TSectionList::PositionPoint(int Pos, int& X, int& Y) const
{
  // At or past the end of the text the point lies on the line below the
  // last character.
  if (Pos >= DocLength) {
    if (DocLength <= 0 || !CaretPoint(DocLength - 1, X, Y))
      return false;
    Y += 15;
    return true;
  }
  return CaretPoint(Pos, X, Y);
}

void TSectionList::AddLinkRun(TFontObj* Run)
{
  LinkList.push_back(Run);
  if (!ManyLinks)
    Run->MakeFocusable(*this);
}

std::shared_ptr<const TFontInfoArray> TSectionList::LinkFonts(const TProperties& Props)
{
  static const TFontInfoArray NoLinkFonts;
  const TFontInfoArray* Wanted = Props.FontInfo();
  const TFontInfoArray& Fonts = Wanted ? *Wanted : NoLinkFonts;
  if (auto* Known = FRecentLinkFonts.Find([&](const auto& Kept) { return Kept && *Kept == Fonts; }))
    return *Known;
  auto Made = std::make_shared<TFontInfoArray>();
  Made->Assign(Fonts);
  return FRecentLinkFonts.Remember(std::move(Made));
}

std::string TSectionList::TabOrderKey(int TabIndex, std::size_t Arrival)
{
  char Key[48];
  std::snprintf(Key, sizeof(Key), "%010d%020zu", std::max(TabIndex, 0), Arrival);
  return Key;
}

void TSectionList::ApplyTabOrder()
{
  int Order = 0;
  for (auto& [Key, Control] : TabOrderList)
    Control->SetTabOrder(Order++);
  TabOrderList.clear();
}

bool TSectionList::LineOnPage(int Top, int Height)
{
  // Only a line taller than a page is cut, whatever ended the page before.
  if (Top + Height <= PageBottom || Height > PageHeight)
    return true;
  PageBottom = std::min(PageBottom, Top);
  return false;
}

void TSectionList::EndPageAt(int Y)
{
  if (Y < PageBottom) {
    PageBottom = Y;
    PageShortened = true;
  }
}

TColor TSectionList::PrintTextColor(TColor Color) const
{
  const COLORREF C = PlainColor(Color);
  if (MonochromePrinter && PrintMonoBlack)
    return C == 0xFFFFFF ? TColor(C) : TColor(0);
  if (!PrintBackground && (C & 0xFF) >= 0xE0 && ((C >> 8) & 0xFF) >= 0xE0)
    return TColor(0x02A0A0A0);
  return Color;
}
