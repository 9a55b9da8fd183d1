#include "controls/html/document/FontObj.h"

#include <algorithm>
#include <cmath>

#include "controls/html/document/LinkFocusControl.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/document/SlotPool.h"

// A document has tens of thousands of runs: a run takes a 32-byte slot.
static_assert(sizeof(TFontObj) <= 32);

void* TFontObj::operator new(std::size_t Size) { return AllocateSlot(SlotPoolOf<TFontObj>(), Size); }

void TFontObj::operator delete(void* Object, std::size_t Size) noexcept { FreeSlot(SlotPoolOf<TFontObj>(), Object, Size); }

TFontObj::TFontObj(TSectionList& Document, int APos, std::shared_ptr<const TMyFont> AFont)
    : Font(AFont.get()), Pos(APos)
{
  Realise(Document);
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

void TFontObj::DropLinkPartIfEmpty()
{
  if (FLinkPart && FLinkPart->UrlTarget.URL.empty() && FLinkPart->UrlTarget.Target.empty() &&
      FLinkPart->UrlTarget.ID == 0 && FLinkPart->UrlTarget.TabIndex == 0 && FLinkPart->Title.empty() &&
      !FLinkPart->FIArray && !FLinkPart->TabControl && FLinkPart->YValue == 0)
    FLinkPart.reset();
}

void TFontObj::ClearUrlTarget()
{
  if (!FLinkPart)
    return;
  FLinkPart->UrlTarget.Clear();
  DropLinkPartIfEmpty();
}

void TFontObj::SetTitle(const std::string& Value)
{
  if (FLinkPart || !Value.empty())
    LinkPart().Title = Value;
  DropLinkPartIfEmpty();
}

void TFontObj::SetFIArray(TSectionList& Document, std::shared_ptr<const TFontInfoArray> States)
{
  if (!States) {
    DropFIArray();
    return;
  }
  TLinkPart& Part = LinkPart();
  Part.FIArray = std::move(States);
  Part.Document = &Document;
}

void TFontObj::DropFIArray()
{
  if (!FLinkPart)
    return;
  FLinkPart->FIArray.reset();
  DropLinkPartIfEmpty();
}

void TFontObj::SetYValue(int Y)
{
  if (FLinkPart || Y != 0)
    LinkPart().YValue = Y;
}

void TFontObj::ForgetTabControl()
{
  if (FLinkPart) {
    FLinkPart->TabControl = nullptr;
    DropLinkPartIfEmpty();
  }
}

void TFontObj::DropFocusProxy()
{
  ThtTabcontrol* Proxy = TabControl();
  if (!Proxy)
    return;
  // The proxy was made by MakeFocusable, which gave the part its document.
  std::erase_if(FLinkPart->Document->TabOrderList, [&](const auto& Entry) { return Entry.second == Proxy; });
  Proxy->Run = nullptr;
  ForgetTabControl();
  delete Proxy;
}

TFontObj* TFontObj::FocusOwner(TSectionList& Document)
{
  if (TabControl())
    return this;
  const auto& Links = Document.LinkList;
  const auto It = std::find(Links.begin(), Links.end(), this);
  if (It == Links.end())
    return nullptr;
  for (auto Prev = It; Prev != Links.begin() && (*(Prev - 1))->UrlTarget().ID == UrlTarget().ID;) {
    --Prev;
    if ((*Prev)->TabControl())
      return *Prev;
  }
  return nullptr;
}

void TFontObj::MakeFocusable(TSectionList& Document)
{
  if (!Document.PaintPanel || FocusOwner(Document))
    return;
  ThtTabcontrol* Proxy = new ThtTabcontrol(Document.PaintPanel, this);
  TLinkPart& Part = LinkPart();
  Part.TabControl = Proxy;
  Part.Document = &Document;
  if (UrlTarget().TabIndex > 0) {
    Document.TabOrderList.emplace(TSectionList::TabOrderKey(UrlTarget().TabIndex, Document.TabOrderList.size()),
                                  Proxy);
  }
}

void TFontObj::FocusGained()
{
  // Called by the proxy, which MakeFocusable made after giving the part its document.
  TSectionList& Document = *FLinkPart->Document;
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
  // Called by the proxy, which MakeFocusable made after giving the part its document.
  TSectionList& Document = *FLinkPart->Document;
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
  // Called by the proxy, which MakeFocusable made after giving the part its document.
  TSectionList& Document = *FLinkPart->Document;
  if (Key == 13) {
    if (Document.OnFollowLink)
      Document.OnFollowLink(UrlTarget());
  } else if (Document.OnViewerKeyDown) {
    Document.OnViewerKeyDown(Key, Shift);
  }
}

namespace {

bool HasMetrics(const TMyFont& F, const THtmlTextMetrics& M)
{
  return F.tmHeight == M.Height && F.tmAscent == M.Ascent && F.tmInternalLeading == M.InternalLeading &&
         F.tmAveCharWidth == M.AveCharWidth && F.tmDescent == M.Descent && F.tmExternalLeading == M.ExternalLeading &&
         F.tmMaxCharWidth == M.MaxCharWidth && F.tmCharset == M.CharSet;
}

void TakeMetrics(TMyFont& F, const THtmlTextMetrics& M)
{
  F.tmHeight = M.Height;
  F.tmAscent = M.Ascent;
  F.tmInternalLeading = M.InternalLeading;
  F.tmAveCharWidth = M.AveCharWidth;
  F.tmDescent = M.Descent;
  F.tmExternalLeading = M.ExternalLeading;
  F.tmMaxCharWidth = M.MaxCharWidth;
  F.tmCharset = M.CharSet;
}

}  // namespace

void TFontObj::UsePooledFont(TSectionList& Document, const TMyFont& AFont)
{
  // The pool keeps every font it hands out until the document is cleared,
  // after its sections: the plain pointer never outlives its font.
  Font = Document.FontPool.Intern(AFont).get();
}

void TFontObj::Realise(TSectionList& Document)
{
  ForgetExtents();
  const THtmlTextMetrics Metrics = Document.Fonts.Metrics(Font->Desc());
  if (HasMetrics(*Font, Metrics))
    return;
  TMyFont Own(*Font);
  TakeMetrics(Own, Metrics);
  UsePooledFont(Document, Own);
}

void TFontObj::ReplaceFont(TSectionList& Document, std::shared_ptr<const TMyFont> AFont)
{
  Font = AFont.get();
  Realise(Document);
}

void TFontObj::ApplyFontInfo(TSectionList& Document, const ThtFontInfo& Info)
{
  // Realised before it is pooled: the pool gets the font the run shows.
  const THtmlFontService& Service = Document.Fonts;
  TMyFont Own(*Font);
  Own.Name = Info.Name;
  Own.Height = -int(std::lround(Service.PixelsPerInch() * Info.Size / 72));
  Own.Style = Info.Style;
  Own.bgColor = Info.bgColor;
  Own.Color = Info.Color;
  Own.CharSet = Info.CharSet;
  TakeMetrics(Own, Service.Metrics(Own.Desc()));
  ForgetExtents();
  UsePooledFont(Document, Own);
}

void TFontObj::SetVisited(bool Value)
{
  if (Value == Visited)
    return;
  Visited = Value;
  // SetFIArray gave the part its document with the state fonts.
  if (const TFontInfoArray* States = FIArray())
    ApplyFontInfo(*FLinkPart->Document, States->Ar((Visited ? 1 : 0) + (Hover ? 2 : 0)));
}

void TFontObj::SetHover(bool Value)
{
  if (Value == Hover)
    return;
  Hover = Value;
  // SetFIArray gave the part its document with the state fonts.
  if (const TFontInfoArray* States = FIArray())
    ApplyFontInfo(*FLinkPart->Document, States->Ar((Visited ? 1 : 0) + (Hover ? 2 : 0)));
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
      if (ThtTabcontrol* Proxy = Gone.TabControl();
          Proxy && !Next.TabControl() && Next.IsLink() && Next.UrlTarget().ID == Gone.UrlTarget().ID) {
        TFontObj::TLinkPart& Part = Next.LinkPart();
        Part.TabControl = Proxy;
        Part.Document = Gone.FLinkPart->Document;
        Proxy->Run = &Next;
        Gone.ForgetTabControl();
      }
      if (Document)
        Document->ForgetLink(Items[I - 1].get());
      Items.erase(Items.begin() + std::ptrdiff_t(I - 1));
    } else {
      ++I;
    }
  }
}
