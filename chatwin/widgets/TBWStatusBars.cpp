#include "chatwin/widgets/TBWStatusBars.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWTheme.h"
#include "controls/toolbar/TBMenuFont.h"
#include "platform/base/Exception.h"
#include "platform/base/MulDiv.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {

TTBWItemInfo ItemInfoOf(WORD State)
{
  TTBWItemInfo info;
  info.Enabled = (State & StatusDisabled) == 0;
  switch ((State >> 8) & 0xF) {
  case 0:
    info.ViewKind = VT_KINDMASK_TOOLBAR;
    info.ItemOptions = IO_TOOLBARSTYLE;
    break;
  case 1: info.ViewKind = VT_DOCKPANEL; break;
  case 2: info.ViewKind = VT_STATUSBAR; break;
  default: break;
  }
  return info;
}

// The theme used while the program runs no theme layer: the platform's own
// status bar look (sunken panels, the size grip), text in the canvas font.
class TPlainStatusTheme : public TTBWTheme {
public:
  TPlainStatusTheme() : TTBWTheme("") {}

  void GetItemMargins(int ElementKind, ItemMarginSet& Margins) override
  {
    Margins = ItemMarginSet();
    if (ElementKind == MID_STATUSPANE)
      Margins = {1, 1, 1, 1};
  }
  void DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo&, const std::string& Caption, UINT Format,
                       bool) override
  {
    TRect r = R;
    // The caption is drawn in the canvas font: the bar's, with the panel's
    // settings and the state's colour.
    Canvas->RequiredState({csHandleValid, csFontValid});
    HDC dc = Canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, Caption.c_str(), int(Caption.size()), &r, Format);
  }
  void DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TCustomImageList* Images,
                     int Index) override
  {
    Images->Draw(Canvas, R.Left, R.Top, Index, Info.Enabled != 0);
  }
  void DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part) override
  {
    TRect r = R;
    switch (Part) {
    case 0:
      Canvas->Brush()->SetColor(clBtnFace);
      Canvas->FillRect(R);
      break;
    case 1:
    case 2: DrawEdge(Canvas->Handle(), &r, BDR_SUNKENOUTER, BF_RECT); break;
    case 3: {
      const int side = std::min(r.Right - r.Left, r.Bottom - r.Top);
      TRect grip(r.Right - side, r.Bottom - side, r.Right, r.Bottom);
      DrawFrameControl(Canvas->Handle(), &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
      break;
    }
    default: break;
    }
  }
};

}  // namespace

TTBWTheme* TTBWCustomStatusBar::PaintTheme()
{
  if (TTBWTheme* theme = CurrentTheme())
    return theme;
  // Made on demand and freed with the bar: a theme object must not outlive
  // the module that holds its code.
  if (!FPlainTheme)
    FPlainTheme = std::make_unique<TPlainStatusTheme>();
  return FPlainTheme.get();
}

UINT StatusCaptionFormat(TAlignment Alignment, TTextTruncation Truncation)
{
  UINT format = DT_VCENTER | DT_SINGLELINE;
  if (Alignment == taRightJustify)
    format |= DT_RIGHT;
  else if (Alignment == taCenter)
    format |= DT_CENTER;
  if (Truncation == twEndEllipsis)
    format |= DT_END_ELLIPSIS;
  else if (Truncation == twPathEllipsis)
    format |= DT_PATH_ELLIPSIS;
  return format;
}

TColor StatusItemTextColor(TTBWTheme* Theme, WORD State) { return Theme->GetItemTextColor(ItemInfoOf(State)); }

void StatusPaintCaption(TTBWTheme* Theme, TCanvas* Canvas, const TRect& R, const std::string& Caption, UINT Format,
                        WORD State)
{
  Theme->DrawItemCaption(Canvas, R, ItemInfoOf(State), Caption, Format, false);
}

void StatusPaintImage(TTBWTheme* Theme, TCanvas* Canvas, const TRect& R, TCustomImageList* Images, int Index,
                      WORD State)
{
  Theme->DrawItemImage(Canvas, R, ItemInfoOf(State), Images, Index);
}

// ---------------------------------------------------------------- panels

TTBWStatusPanel::TTBWStatusPanel() : FFontSettings(std::make_unique<TFontSettings>())
{
  FFontSettings->OnChange = TNotifyEvent(this, &TTBWStatusPanel::FontSettingsChanged);
}

TTBWStatusPanel::~TTBWStatusPanel()
{
  // A hosted control outlives its panel: it comes to the front again.
  auto* win = dynamic_cast<TWinControl*>(FControl);
  if (win && win->HandleAllocated() && !win->ComponentState().Contains(csDestroying)) {
    win->BringToFront();
    win->Perform(CM_SHOWINGCHANGED, 0, 0);
  }
  if (FControl)
    if (TTBWCustomStatusBar* bar = StatusBar())
      FControl->RemoveFreeNotification(bar);
}

TTBWCustomStatusBar* TTBWStatusPanel::StatusBar() const
{
  auto* panels = static_cast<TTBWStatusPanels*>(Collection());
  return panels ? panels->StatusBar() : nullptr;
}

void TTBWStatusPanel::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetCaption(const std::string& Value)
{
  if (Value == FCaption)
    return;
  FCaption = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetControl(TControl* Value)
{
  if (Value == FControl)
    return;
  TTBWCustomStatusBar* bar = StatusBar();
  TControl* previous = FControl;
  if (Value && bar) {
    for (TControl* c = bar; c; c = c->Parent())
      if (c == Value)
        throw EInvalidOperation("Can't insert own parent");
    if (TTBWStatusPanel* other = bar->Panels()->FindPanel(Value))
      other->SetControl(nullptr);
  }
  FControl = Value;
  if (Value && bar) {
    Value->SetParent(bar);
    Value->FreeNotification(bar);
  }
  ChangedLayout();
  if (previous)
    previous->Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TTBWStatusPanel::SetEnabled(bool Value)
{
  if (Value == FEnabled)
    return;
  FEnabled = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetFramed(bool Value)
{
  if (Value == FFramed)
    return;
  FFramed = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetImageIndex(int Value)
{
  if (Value == FImageIndex)
    return;
  FImageIndex = Value;
  if (TTBWCustomStatusBar* bar = StatusBar(); bar && bar->Images())
    ChangedLayout();
}

void TTBWStatusPanel::SetMaxSize(int Value)
{
  if (Value == FMaxSize)
    return;
  FMaxSize = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetSize(int Value)
{
  if (Value == FSize)
    return;
  FSize = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetStretchPriority(TPercent Value)
{
  Value = std::min<TPercent>(Value, 100);
  if (Value == FStretchPriority)
    return;
  FStretchPriority = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetTextTruncation(TTextTruncation Value)
{
  FTextTruncation = Value;
  ChangedLayout();
}

void TTBWStatusPanel::SetViewPriority(TPercent Value)
{
  Value = std::min<TPercent>(Value, 100);
  if (Value == FViewPriority)
    return;
  FViewPriority = Value;
  ChangedLayout();
}

void TTBWStatusPanel::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TTBWStatusPanel*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetViewPriority(source->ViewPriority());
  TControl* control = nullptr;
  TTBWCustomStatusBar* bar = StatusBar();
  if (source->Control() && bar && bar->Owner())
    control = dynamic_cast<TControl*>(bar->Owner()->FindComponent(source->Control()->Name()));
  SetControl(control);
}

std::string TTBWStatusPanel::GetDisplayName() const
{
  if (!FCaption.empty())
    return FCaption;
  if (FControl)
    return "[ " + FControl->Name() + " ]";
  return TCollectionItem::GetDisplayName();
}

TTBWStatusPanels::TTBWStatusPanels(TTBWCustomStatusBar* Owner)
    : TCollection(CollectionItemClass<TTBWStatusPanel>()), FStatusBar(Owner)
{
}

TTBWStatusPanel* TTBWStatusPanels::FindPanel(TControl* Control) const
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == Control)
      return Items(i);
  return nullptr;
}

TPersistent* TTBWStatusPanels::GetOwner() const { return FStatusBar; }

void TTBWStatusPanels::Update(TCollectionItem*) { FStatusBar->UpdatePanels(); }

// ---------------------------------------------------------------- the bar

TTBWCustomStatusBar::TTBWCustomStatusBar(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
  FPanels = new TTBWStatusPanels(this);
  FImageChangeLink = new TChangeLink;
  FImageChangeLink->OnChange = TNotifyEvent(this, &TTBWCustomStatusBar::ImageListChange);
  SetBounds(Left(), Top(), 150, 22);
  SetAlign(alBottom);
  SetDoubleBuffered(true);
  AddThemeClient(this);
}

TTBWCustomStatusBar::~TTBWCustomStatusBar()
{
  RemoveThemeClient(this);
  FPlainTheme.reset();
  delete FImageChangeLink;
  TTBWStatusPanels* panels = FPanels;
  FPanels = nullptr;  // the panels' changes no longer reach a bar going away
  delete panels;
}

void TTBWCustomStatusBar::SetImages(TCustomImageList* Value)
{
  if (SetLinkedImages(this, FImages, Value, FImageChangeLink))
    Invalidate();
}

void TTBWCustomStatusBar::ImageListChange(TObject*) { Invalidate(); }

void TTBWCustomStatusBar::SetSimplePanel(bool Value)
{
  if (Value == FSimplePanel)
    return;
  FSimplePanel = Value;
  Invalidate();
}

void TTBWCustomStatusBar::SetSimpleText(const std::string& Value)
{
  if (Value == FSimpleText)
    return;
  FSimpleText = Value;
  Invalidate();
}

void TTBWCustomStatusBar::SetSizeGrip(bool Value)
{
  if (Value == FSizeGrip)
    return;
  FSizeGrip = Value;
  Invalidate();
}

void TTBWCustomStatusBar::SetUseSystemFont(bool Value)
{
  if (Value == FUseSystemFont)
    return;
  FUseSystemFont = Value;
  UpdatePanels();
}

void TTBWCustomStatusBar::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  // The paint covers everything: no full redraw on every size change.
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTBWCustomStatusBar::CreateWnd()
{
  TCustomControl::CreateWnd();
  if (!ComponentState().Contains(csLoading))
    UpdatePanels();
}

void TTBWCustomStatusBar::Loaded()
{
  TCustomControl::Loaded();
  UpdatePanels();
}

void TTBWCustomStatusBar::Resize()
{
  UpdatePanels();
  Invalidate();
  TCustomControl::Resize();
}

void TTBWCustomStatusBar::AlignControls(TControl* AControl, TRect&)
{
  // The panels place the children; the usual alignment would undo it.
  if (FPanels && (FPanels->Count() > 0 || dynamic_cast<TWinControl*>(AControl))) {
    Invalidate();
    UpdatePanels();
  }
}

void TTBWCustomStatusBar::FontChanged(TObject* Sender)
{
  TCustomControl::FontChanged(Sender);
  UpdatePanels();
  Invalidate();
}

void TTBWCustomStatusBar::ChangeScale(int M, int D)
{
  if (!FUseSystemFont) {
    TCustomControl::ChangeScale(M, D);
    return;
  }
  if (M != D && D != 0)
    SetTop(MulDiv(Top(), M, D));
}

void TTBWCustomStatusBar::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FImages)
    SetImages(nullptr);
  if (FPanels)
    for (int i = 0; i < FPanels->Count(); ++i)
      if (FPanels->Items(i)->Control() == AComponent) {
        FPanels->Items(i)->FControl = nullptr;
        FPanels->Items(i)->ChangedLayout();
      }
}

void TTBWCustomStatusBar::LayoutPanels()
{
  if (!FPanels || FPanels->Count() == 0)
    return;
  PaintTheme()->GetItemMargins(MID_STATUSPANE, FMargins);
  TRect area = ClientRect();
  area.Top += 2;
  const int width = area.Right - area.Left;

  std::vector<TTBWStatusPanel*> work;
  long long total = 0;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TTBWStatusPanel* p = FPanels->Items(i);
    p->FlushRight = false;
    if (p->ViewPriority() == 0) {
      p->Shown = false;
      continue;
    }
    p->Shown = true;
    p->CachedSize = p->Size();
    total += p->Size();
    work.push_back(p);
  }
  std::stable_sort(work.begin(), work.end(),
                   [](auto* a, auto* b) { return a->ViewPriority() > b->ViewPriority(); });
  while (total > width && work.size() >= 2 && work.back()->ViewPriority() < 100) {
    work.back()->Shown = false;
    total -= work.back()->Size();
    work.pop_back();
  }

  long long spare = width - total;
  if (spare > 0) {
    std::erase_if(work, [](auto* p) { return p->StretchPriority() == 0; });
    std::stable_sort(work.begin(), work.end(),
                     [](auto* a, auto* b) { return a->StretchPriority() < b->StretchPriority(); });
    while (!work.empty() && spare > 0) {
      TTBWStatusPanel* p = work.back();
      const long long grown = p->CachedSize + spare;
      if (p->CachedSize < p->MaxSize() && p->MaxSize() < grown) {
        spare -= p->MaxSize() - p->CachedSize;
        p->CachedSize = p->MaxSize();
      } else {
        if (grown > INT32_MAX)
          throw EIntOverflow("Dépassement de capacité d'entier");
        p->CachedSize = int(grown);
        spare = 0;
      }
      work.pop_back();
    }
  }

  int pos = 0;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TTBWStatusPanel* p = FPanels->Items(i);
    if (pos >= width)
      p->Shown = false;
    if (!p->Shown) {
      p->PanelRect = TRect();
      continue;
    }
    p->PanelRect = TRect(pos, area.Top, pos + p->CachedSize, area.Bottom);
    pos += p->CachedSize;
    p->FlushRight = pos == width;
  }
}

void TTBWCustomStatusBar::UpdatePanels()
{
  if (!FPanels || FUpdating)
    return;
  // Placing a control realigns the bar, which would come back here.
  FUpdating = true;
  try {
    Invalidate();
    LayoutPanels();
    for (int i = 0; i < FPanels->Count(); ++i) {
      TTBWStatusPanel* p = FPanels->Items(i);
      if (!p->Control())
        continue;
      TRect r;
      if (p->Shown) {
        r = p->PanelRect;
        if (p->Framed()) {
          r.Left += FMargins.Left;
          r.Right -= FMargins.Right;
          r.Top += FMargins.Top;
          r.Bottom -= FMargins.Bottom;
        }
      }
      p->Control()->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

TTBWStatusPanel* TTBWCustomStatusBar::GetPanelAt(TPoint P)
{
  if (!FPanels)
    return nullptr;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TTBWStatusPanel* p = FPanels->Items(i);
    if (p->Shown && PtInRect(p->PanelRect, P))
      return p;
  }
  return nullptr;
}

bool TTBWCustomStatusBar::IsSizeGripVisible()
{
  if (!FSizeGrip || !Parent())
    return false;
  TCustomForm* form = GetParentForm(this);
  if (!form || form->WindowState() != wsNormal)
    return false;
  const TPoint barCorner = ClientToScreen(TPoint(Width(), Height()));
  const TRect formClient = form->ClientRect();
  return barCorner == form->ClientToScreen(TPoint(formClient.Right, formClient.Bottom));
}

TRect TTBWCustomStatusBar::GetGripRect()
{
  TRect r = ClientRect();
  r.Top += 3;
  r.Left = r.Right - GetSystemMetrics(SM_CXVSCROLL);
  return r;
}

void TTBWCustomStatusBar::AdjustContentRect(TTBWStatusPanel* Panel, TRect& Rect)
{
  if (Panel->Framed()) {
    Rect.Left += FMargins.Left;
    Rect.Right -= FMargins.Right;
    Rect.Top += FMargins.Top;
    Rect.Bottom -= FMargins.Bottom;
  }
  if (OnAdjustContentRect)
    OnAdjustContentRect(this, Panel, Rect);
}

void TTBWCustomStatusBar::DoPanelFont(TTBWStatusPanel* Panel, TFont* Font)
{
  if (OnPanelFont)
    OnPanelFont(this, Panel, Font);
}

void TTBWCustomStatusBar::DoPanelClick(TTBWStatusPanel* Panel)
{
  if (OnPanelClick)
    OnPanelClick(this, Panel);
}

void TTBWCustomStatusBar::DoPanelDblClick(TTBWStatusPanel* Panel)
{
  if (OnPanelDblClick)
    OnPanelDblClick(this, Panel);
}

TTBWStatusPanel* TTBWCustomStatusBar::PanelUnderCursor()
{
  TPoint cursor;
  GetCursorPos(&cursor);
  return GetPanelAt(ScreenToClient(cursor));
}

void TTBWCustomStatusBar::Click()
{
  TCustomControl::Click();
  if (TTBWStatusPanel* p = PanelUnderCursor())
    DoPanelClick(p);
}

void TTBWCustomStatusBar::DblClick()
{
  TCustomControl::DblClick();
  if (TTBWStatusPanel* p = PanelUnderCursor())
    DoPanelDblClick(p);
}

void TTBWCustomStatusBar::SelectPanelFont(TTBWStatusPanel* Panel, bool Enabled)
{
  TCanvas* canvas = Canvas();
  canvas->SetFont(FUseSystemFont && MenuFont() ? MenuFont() : Font());
  canvas->Font()->SetColor(StatusItemTextColor(PaintTheme(), Enabled ? 0 : StatusDisabled));
  if (Panel) {
    ApplyFontSettings(*Panel->FontSettings(), canvas->Font());
    DoPanelFont(Panel, canvas->Font());
  }
}

void TTBWCustomStatusBar::DrawPanel(TRect Rect, TTBWStatusPanel* Panel, bool)
{
  TTBWTheme* theme = PaintTheme();
  Rect.Left += 1;
  Rect.Right -= 1;
  const WORD disabled = Panel->Enabled() ? 0 : StatusDisabled;
  if (Panel->ImageIndex() >= 0 && FImages) {
    const int w = FImages->Width(), h = FImages->Height();
    const int top = Rect.Top + (Rect.Bottom - Rect.Top - h) / 2;
    TRect image;
    switch (Panel->Alignment()) {
    case taRightJustify:
      image = TRect(Rect.Right - w, top, Rect.Right, top + h);
      Rect.Right = image.Left - 4;
      break;
    case taCenter: {
      const int left = Rect.Left + (Rect.Right - Rect.Left - w) / 2;
      image = TRect(left, top, left + w, top + h);
      break;
    }
    default:
      image = TRect(Rect.Left, top, Rect.Left + w, top + h);
      Rect.Left = image.Right + 4;
      break;
    }
    if (Panel->Enabled())
      FImages->Draw(Canvas(), image.Left, image.Top, Panel->ImageIndex(), true);
    else
      StatusPaintImage(theme, Canvas(), image, FImages, Panel->ImageIndex(), StatusDisabled);
  }
  Canvas()->Brush()->SetStyle(bsClear);
  StatusPaintCaption(theme, Canvas(), Rect, Panel->Caption(),
                     StatusCaptionFormat(Panel->Alignment(), Panel->TextTruncation()),
                     WORD(disabled | StatusViewStatusBar));
}

void TTBWCustomStatusBar::Paint()
{
  TTBWTheme* theme = PaintTheme();
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  theme->DrawStatusBarPart(canvas, client, 0);
  const TRect clip = canvas->ClipRect();
  if (!FSimplePanel) {
    for (int i = 0; i < FPanels->Count(); ++i) {
      TTBWStatusPanel* p = FPanels->Items(i);
      TRect visible;
      if (!p->Shown || !IntersectRect(visible, p->PanelRect, clip))
        continue;
      if (p->Framed())
        theme->DrawStatusBarPart(canvas, p->PanelRect, p->FlushRight ? 2 : 1);
      SelectPanelFont(p, p->Enabled());
      TRect content = p->PanelRect;
      AdjustContentRect(p, content);
      DrawPanel(content, p, i == FPanels->Count() - 1);
    }
  } else if (!FSimpleText.empty()) {
    SelectPanelFont(nullptr, Enabled());
    canvas->Brush()->SetStyle(bsClear);
    TRect r = client;
    r.Top += 2;
    r.Left += 4;
    r.Right -= 4;
    StatusPaintCaption(theme, canvas, r, FSimpleText, DT_VCENTER | DT_SINGLELINE,
                       WORD((Enabled() ? 0 : StatusDisabled) | StatusViewStatusBar));
  }
  if (IsSizeGripVisible())
    theme->DrawStatusBarPart(canvas, GetGripRect(), 3);
}

void TTBWCustomStatusBar::CMControlListChange(TMessage& Message)
{
  if (ComponentState().Contains(csLoading) || !FPanels)
    return;
  auto* control = reinterpret_cast<TControl*>(Message.WParam);
  if (Message.LParam != 0) {
    // A windowed control dropped on the bar gets a panel of its own.
    if (dynamic_cast<TWinControl*>(control) && !FPanels->FindPanel(control))
      FPanels->Add()->SetControl(control);
  } else if (TTBWStatusPanel* p = FPanels->FindPanel(control)) {
    p->FControl = nullptr;
    control->RemoveFreeNotification(this);
    delete p;
  }
}

void TTBWCustomStatusBar::CMHintShow(TMessage& Message)
{
  auto& hint = reinterpret_cast<TCMHintShow&>(Message);
  if (TTBWStatusPanel* p = GetPanelAt(hint.HintInfo->CursorPos)) {
    hint.HintInfo->HintStr = p->Hint();
    hint.HintInfo->CursorRect = p->PanelRect;
  }
  hint.Result = 0;
}

void TTBWCustomStatusBar::WMNCHitTest(TMessage& Message)
{
  const TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
  if (IsSizeGripVisible() && PtInRect(GetGripRect(), p))
    Message.Result = HTBOTTOMRIGHT;
  else
    TCustomControl::Dispatch(Message);
}

void TTBWCustomStatusBar::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case TBWM_THEMECHANGE:
    UpdatePanels();
    Invalidate();
    return;
  case CM_CONTROLLISTCHANGE:
    TCustomControl::Dispatch(Message);
    CMControlListChange(Message);
    return;
  case CM_HINTSHOW:
    CMHintShow(Message);
    return;
  case CM_VISIBLECHANGED:
    if (FFixAlign && Message.WParam && Parent())
      SetTop(Parent()->ClientHeight());
    break;
  case WM_NCHITTEST: WMNCHitTest(Message); return;
  case WM_ERASEBKGND: Message.Result = 1; return;
  default: break;
  }
  TCustomControl::Dispatch(Message);
}
