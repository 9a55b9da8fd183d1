#include "controls/html/document/FontObj.h"

#include <algorithm>
#include <cmath>

#include <cstdio>

#include "controls/html/document/LinkFocusControl.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"

TFontObj::TFontObj(TSection* ASection, int APos, std::shared_ptr<const TMyFont> AFont, const THtmlFontService& Fonts)
    : Section(ASection), Pos(APos), Font(std::move(AFont)), FFonts(Fonts)
{
  Realise();
}

TFontObj::~TFontObj()
{
  DropFocusProxy();
}

const TUrlTarget& TFontObj::NoUrlTarget()
{
  static const TUrlTarget None;
  return None;
}

const std::string& TFontObj::NoTitle()
{
  static const std::string None;
  return None;
}

TFontObj::TLinkPart& TFontObj::LinkPart()
{
  if (!FLinkPart)
    FLinkPart = std::make_unique<TLinkPart>();
  return *FLinkPart;
}

void TFontObj::ClearUrlTarget()
{
  if (!FLinkPart)
    return;
  FLinkPart->UrlTarget.Clear();
  if (FLinkPart->Title.empty())
    FLinkPart.reset();
}

void TFontObj::SetTitle(const std::string& Value)
{
  if (FLinkPart || !Value.empty())
    LinkPart().Title = Value;
}

void TFontObj::DropFocusProxy()
{
  if (!TabControl)
    return;
  std::erase_if(Section->Document->TabOrderList, [&](const auto& Entry) { return Entry.second == TabControl; });
  TabControl->Run = nullptr;
  delete TabControl;
  TabControl = nullptr;
}

TFontObj* TFontObj::FocusOwner(TSectionList& Document)
{
  if (TabControl)
    return this;
  const auto& Links = Document.LinkList;
  const auto It = std::find(Links.begin(), Links.end(), this);
  if (It == Links.end())
    return nullptr;
  for (auto Prev = It; Prev != Links.begin() && (*(Prev - 1))->UrlTarget().ID == UrlTarget().ID;) {
    --Prev;
    if ((*Prev)->TabControl)
      return *Prev;
  }
  return nullptr;
}

void TFontObj::MakeFocusable(TSectionList& Document)
{
  if (!Document.PaintPanel || FocusOwner(Document))
    return;
  TabControl = new ThtTabcontrol(Document.PaintPanel, this);
  if (UrlTarget().TabIndex > 0) {
    Document.TabOrderList.emplace(TSectionList::TabOrderKey(UrlTarget().TabIndex, Document.TabOrderList.size()),
                                  TabControl);
  }
}

void TFontObj::FocusGained()
{
  TSectionList& Document = *Section->Document;
  auto& Links = Document.LinkList;
  auto It = std::find(Links.begin(), Links.end(), this);
  for (; It != Links.end() && (*It)->UrlTarget().ID == UrlTarget().ID; ++It)
    (*It)->Focused = true;
  Focused = true;
  if (Document.OnLinkFocus)
    Document.OnLinkFocus(this);
}

void TFontObj::FocusLost()
{
  TSectionList& Document = *Section->Document;
  auto& Links = Document.LinkList;
  auto It = std::find(Links.begin(), Links.end(), this);
  for (; It != Links.end() && (*It)->UrlTarget().ID == UrlTarget().ID; ++It)
    (*It)->Focused = false;
  Focused = false;
  if (Document.PaintPanel)
    Document.PaintPanel->Invalidate();
}

void TFontObj::FocusKeyDown(WORD& Key, TShiftState Shift)
{
  TSectionList& Document = *Section->Document;
  if (Key == 13) {
    if (Document.OnFollowLink)
      Document.OnFollowLink(UrlTarget());
  } else if (Document.OnViewerKeyDown) {
    Document.OnViewerKeyDown(Key, Shift);
  }
}

void TFontObj::Realise()
{
  ForgetExtents();
  const THtmlTextMetrics Metrics = FFonts.Metrics(Font->Desc());
  if (Font->tmHeight == Metrics.Height && Font->tmAscent == Metrics.Ascent &&
      Font->tmInternalLeading == Metrics.InternalLeading && Font->tmAveCharWidth == Metrics.AveCharWidth &&
      Font->tmDescent == Metrics.Descent && Font->tmExternalLeading == Metrics.ExternalLeading &&
      Font->tmMaxCharWidth == Metrics.MaxCharWidth && Font->tmCharset == Metrics.CharSet)
    return;
  auto Own = std::make_shared<TMyFont>(*Font);
  Own->tmHeight = Metrics.Height;
  Own->tmAscent = Metrics.Ascent;
  Own->tmInternalLeading = Metrics.InternalLeading;
  Own->tmAveCharWidth = Metrics.AveCharWidth;
  Own->tmDescent = Metrics.Descent;
  Own->tmExternalLeading = Metrics.ExternalLeading;
  Own->tmMaxCharWidth = Metrics.MaxCharWidth;
  Own->tmCharset = Metrics.CharSet;
  Font = std::move(Own);
}

void TFontObj::ReplaceFont(std::shared_ptr<const TMyFont> AFont)
{
  Font = std::move(AFont);
  Realise();
}

void TFontObj::ApplyFontInfo(const ThtFontInfo& Info)
{
  auto Own = std::make_shared<TMyFont>(*Font);
  Own->Name = Info.Name;
  Own->Height = -int(std::lround(FFonts.PixelsPerInch() * Info.Size / 72));
  Own->Style = Info.Style;
  Own->bgColor = Info.bgColor;
  Own->Color = Info.Color;
  Own->CharSet = Info.CharSet;
  Font = std::move(Own);
  Realise();
}

void TFontObj::CreateFIArray()
{
  if (!FIArray)
    FIArray = std::make_unique<TFontInfoArray>();
}

void TFontObj::SetVisited(bool Value)
{
  if (Value == Visited)
    return;
  Visited = Value;
  if (FIArray)
    ApplyFontInfo(FIArray->Ar((Visited ? 1 : 0) + (Hover ? 2 : 0)));
}

void TFontObj::SetHover(bool Value)
{
  if (Value == Hover)
    return;
  Hover = Value;
  if (FIArray)
    ApplyFontInfo(FIArray->Ar((Visited ? 1 : 0) + (Hover ? 2 : 0)));
}

void TFontObj::SetAllHovered(TSectionList& Document, bool Value)
{
  SetHover(Value);
  auto& Links = Document.LinkList;
  const auto It = std::find(Links.begin(), Links.end(), this);
  if (It == Links.end())
    return;
  const int Index = int(It - Links.begin());
  for (int I = Index + 1; I < int(Links.size()) && Links[std::size_t(I)]->UrlTarget().ID == UrlTarget().ID; ++I)
    Links[std::size_t(I)]->SetHover(Value);
  for (int I = Index - 1; I >= 0 && Links[std::size_t(I)]->UrlTarget().ID == UrlTarget().ID; --I)
    Links[std::size_t(I)]->SetHover(Value);
}

TFontObj* TFontList::GetFontObjAt(int Pos, int* Index) const
{
  // Runs ascend by start: the covering run is found by bisection.
  auto It = std::upper_bound(Items.begin(), Items.end(), Pos,
                             [](int P, const std::unique_ptr<TFontObj>& F) { return P < F->Pos; });
  if (It == Items.begin()) {
    if (Index)
      *Index = Items.empty() ? -1 : 0;
    return Items.empty() ? nullptr : Items.front().get();
  }
  --It;
  if (Index)
    *Index = int(It - Items.begin());
  return It->get();
}

int TFontList::GetFontCountAt(int Pos, int Leng) const
{
  auto Next = std::upper_bound(Items.begin(), Items.end(), Pos,
                               [](int P, const std::unique_ptr<TFontObj>& F) { return P < F->Pos; });
  return Next == Items.end() ? Leng - Pos : (*Next)->Pos - Pos;
}

void TFontList::DropEmptyRuns(TSectionList* Document)
{
  for (std::size_t I = 1; I < Items.size();) {
    if (Items[I - 1]->Pos == Items[I]->Pos) {
      TFontObj& Gone = *Items[I - 1];
      TFontObj& Next = *Items[I];
      // A link keeps its focus proxy when its first run goes.
      if (Gone.TabControl && !Next.TabControl && Next.IsLink() && Next.UrlTarget().ID == Gone.UrlTarget().ID) {
        Next.TabControl = Gone.TabControl;
        Next.TabControl->Run = &Next;
        Gone.TabControl = nullptr;
      }
      if (Document)
        Document->ForgetLink(Items[I - 1].get());
      Items.erase(Items.begin() + std::ptrdiff_t(I - 1));
    } else {
      ++I;
    }
  }
}
