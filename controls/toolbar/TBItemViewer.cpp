#include "controls/toolbar/TBItemViewer.h"

#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBDeferredActions.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/toolbar/TBView.h"
#include "platform/base/MulDiv.h"
#include "platform/classes/Hints.h"
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/menus/ShortCuts.h"

namespace {

constexpr int SplitArrowWidth = 11;
constexpr int DropdownArrowWidth = 8;

// The checkerboard of button face and highlight that fills checked buttons.
HBRUSH CreateCheckerBrush()
{
  DWORD face = ColorToRGB(clBtnFace), light = ColorToRGB(clBtnHighlight);
  auto bgr = [](COLORREF c) { return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c); };
  DWORD pixels[64];
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pixels[y * 8 + x] = ((x + y) & 1) ? bgr(light) : bgr(face);
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, pixels);
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
  return brush;
}

void FillWithChecker(HDC DC, const TRect& R)
{
  HBRUSH brush = CreateCheckerBrush();
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

void FillSolid(HDC DC, const TRect& R, COLORREF Color)
{
  HBRUSH brush = CreateSolidBrush(Color);
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

// A filled arrow: 5 wide and 3 high pointing down, or 3 wide and 5 high
// pointing left, with its box's top-left at (X, Y).
void DrawArrow(HDC DC, int X, int Y, bool PointLeft, COLORREF Color)
{
  for (int i = 0; i < 3; ++i) {
    TRect r = PointLeft ? TRect(X + i, Y + 2 - i, X + i + 1, Y + 3 + i) : TRect(X + i, Y + i, X + 5 - i, Y + i + 1);
    FillSolid(DC, r, Color);
  }
}

// The menu arrow glyph of the layer, drawn through its mask in one colour.
void DrawMenuArrow(HDC DC, const TRect& R, COLORREF Color)
{
  int w = R.Width(), h = R.Height();
  HDC maskDC = CreateCompatibleDC(DC);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  TRect local(0, 0, w, h);
  DrawFrameControl(maskDC, &local, DFC_MENU, DFCS_MENUARROW);
  HBRUSH brush = CreateSolidBrush(Color);
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(DC, RGB(255, 255, 255));
  // Where the mask is black the brush goes; elsewhere the destination stays.
  BitBlt(DC, R.Left, R.Top, w, h, maskDC, 0, 0, 0x00B8074A);
  SetBkColor(DC, oldBk);
  SetTextColor(DC, oldText);
  SelectObject(DC, oldBrush);
  DeleteObject(brush);
  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
}

}  // namespace

TTBItemViewer::TTBItemViewer(TTBView* AView, TTBCustomItem* AItem, int AInlineDepth)
    : FInlineDepth(AInlineDepth), FItem(AItem), FView(AView)
{
  AddDeferredActionUser();
}

TTBItemViewer::~TTBItemViewer()
{
  ReleaseAccObject();
  RemoveDeferredActionUser(this);
}

bool TTBItemViewer::UsesToolbarStyle()
{
  return FView->IsToolbar() || (FItem->EffectiveOptions() & tboToolbarStyle);
}

bool TTBItemViewer::UsesToolbarSize()
{
  return FView->IsToolbar() || (FItem->EffectiveOptions() & tboToolbarSize);
}

bool TTBItemViewer::JoinsSameWidth()
{
  TTBItemOptions o = FItem->EffectiveOptions();
  return (o & tboImageAboveCaption) && (o & tboSameWidth) && UsesToolbarSize();
}

std::string TTBItemViewer::CaptionWithoutShortcut()
{
  const std::string& caption = FItem->Caption();
  size_t tab = caption.find('\t');
  return tab == std::string::npos ? caption : caption.substr(0, tab);
}

std::string TTBItemViewer::ShortcutText()
{
  const std::string& caption = FItem->Caption();
  size_t tab = caption.find('\t');
  return tab == std::string::npos ? std::string() : caption.substr(tab + 1);
}

bool TTBItemViewer::ShowsCaption()
{
  if (FItem->EffectiveOptions() & tboImageAboveCaption)
    return true;
  if (CaptionWithoutShortcut().empty())
    return false;
  TTBItemDisplayMode mode = FItem->DisplayMode();
  return !UsesToolbarSize() || FItem->ImageIndex() < 0 || mode == nbdmTextOnly || mode == nbdmImageAndText;
}

bool TTBItemViewer::ShowsImage()
{
  if (FItem->ImageIndex() < 0)
    return false;
  TTBItemDisplayMode mode = FItem->DisplayMode();
  return mode == nbdmDefault || mode == nbdmImageAndText || (mode == nbdmTextOnlyInMenus && UsesToolbarStyle());
}

TCustomImageList* TTBItemViewer::GetImageList()
{
  if (FItem->Images())
    return FItem->Images();
  for (TTBView* v = FView; v; v = v->ParentView()) {
    if (v->ShownItem() && v->ShownItem()->SubMenuImages())
      return v->ShownItem()->SubMenuImages();
    if (v->SourceItem() && v->SourceItem()->SubMenuImages())
      return v->SourceItem()->SubMenuImages();
  }
  return nullptr;
}

bool TTBItemViewer::DrawsRotated()
{
  return FView->Axis() == tbaVertical && !(FItem->EffectiveOptions() & (tboNoRotation | tboImageAboveCaption));
}

void TTBItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight)
{
  bool toolbarStyle = UsesToolbarStyle();
  HDC dc = Canvas->Handle();
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  TCustomImageList* images = GetImageList();
  if (toolbarStyle)
    AWidth = AHeight = 6;
  bool rotated = DrawsRotated();
  if (!toolbarStyle || ShowsCaption()) {
    std::string caption = CaptionWithoutShortcut();
    if (rotated) {
      HFONT vertical = CreateVerticalFont(dc);
      HGDIOBJ old = vertical ? SelectObject(dc, vertical) : nullptr;
      AWidth += TextHeightOnDC(dc);
      AHeight += TextWidthOnDC(dc, caption, true) + (toolbarStyle ? 6 : 0);
      if (vertical) {
        SelectObject(dc, old);
        DeleteObject(vertical);
      }
    } else {
      AHeight += tm.tmHeight;
      AWidth += TextWidthOnDC(dc, caption, true) + (toolbarStyle ? 6 : 0);
    }
  }
  if (toolbarStyle) {
    if (ShowsImage() && images) {
      if (rotated || (FItem->EffectiveOptions() & tboImageAboveCaption)) {
        AHeight += images->Height();
        AWidth = std::max(AWidth, images->Width() + 7);
      } else {
        AWidth += images->Width() + 1;
        AHeight = std::max(AHeight, images->Height() + 6);
      }
    }
    if (FItem->ItemStyle() & tbsfOpensSubmenu) {
      if (FItem->ItemStyle() & tbsfSplitButton)
        AWidth += SplitArrowWidth;
      else if (FItem->EffectiveOptions() & tboDropdownArrow)
        (FView->Axis() == tbaVertical ? AHeight : AWidth) += DropdownArrowWidth;
    }
    return;
  }
  AHeight = tm.tmHeight + tm.tmExternalLeading + 4;
  int column = AHeight;
  if (images) {
    AHeight = std::max(AHeight, images->Height() + 3);
    column = MulDiv(images->Width() + 3, AHeight, images->Height() + 3);
  }
  AWidth += column + 6;
  std::string shortcut = ShortcutText();
  if (!shortcut.empty())
    AWidth += TextWidthOnDC(dc, shortcut, false) + AHeight - 6;
  AWidth += AHeight;
}

bool TTBItemViewer::Activate()
{
  FView->FinishWithClick(this);
  return true;
}

void TTBItemViewer::DrawCaptionText(TCanvas* Canvas, TRect ARect, const std::string& AText, bool Embossed,
                                    UINT AFormat)
{
  HDC dc = Canvas->Handle();
  auto draw = [&](TRect r) {
    if (DrawsRotated())
      DrawRotatedCaption(dc, AText, r, AFormat);
    else
      DrawText(dc, AText.c_str(), int(AText.size()), &r, AFormat);
  };
  if (!Embossed) {
    draw(ARect);
    return;
  }
  COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  TRect shifted = ARect;
  OffsetRect(&shifted, 1, 1);
  draw(shifted);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  draw(ARect);
  SetTextColor(dc, old);
}

void TTBItemViewer::SelectionEntered(TTBItemViewer*)
{
  if (FItem->OnSelect)
    FItem->OnSelect(FItem, this, true);
}

void TTBItemViewer::SelectionLeft()
{
  if (FItem->OnSelect)
    FItem->OnSelect(FItem, this, false);
}

int TTBItemViewer::GetAccRole()
{
  if (dynamic_cast<TTBControlItem*>(FItem))
    return 10;
  if (FItem->ItemStyle() & tbsfIsSeparator)
    return 21;
  if (FView->IsPopup() || (FView->Traits() & vtMenuBar))
    return 12;
  return (FItem->ItemStyle() & tbsfOpensSubmenu) ? 57 : 43;
}

bool TTBItemViewer::GetAccText(std::u16string&) { return false; }

void TTBItemViewer::CursorAt(TPoint, HCURSOR&) {}

bool TTBItemViewer::InButtonPart(int X, int)
{
  TTBItemFlags style = FItem->ItemStyle();
  if (!(style & tbsfSplitButton))
    return !(style & tbsfOpensSubmenu);
  int arrow = UsesToolbarStyle() ? SplitArrowWidth : GetSystemMetrics(SM_CXMENUCHECK);
  return X < BoundsRect.Width() - arrow;
}

void TTBItemViewer::PreviewKey(WORD&, TShiftState) {}

void TTBItemViewer::RepaintViewer() { FView->InvalidateViewer(this); }

void TTBItemViewer::MouseMove(int, int) {}

void TTBItemViewer::MouseWheel(int, int, int) {}

void TTBItemViewer::MouseDown(TShiftState Shift, int X, int Y, bool& MouseDownOnMenu)
{
  bool topLevelToolbar = !FView->IsPopup() && !FView->ParentView();
  if (!FItem->Enabled()) {
    if (topLevelToolbar)
      FView->FinishCancel();
    return;
  }
  if (!InButtonPart(X, Y)) {
    TTBItemViewer* previousOpen = FView->OpenViewer();
    if (FView->OpenSubmenu(false)) {
      if (previousOpen == this && topLevelToolbar)
        MouseDownOnMenu = true;
      if (Shift.Contains(ssDouble) && !(FItem->ItemStyle() & tbsfSplitButton)) {
        if (TTBView* sub = FView->OpenViewerView()) {
          sub->EnsureLayout();
          for (int i = 0; i < sub->ViewerCount(); ++i) {
            TTBItemViewer* v = sub->Viewers(i);
            TTBCustomItem* item = v->Item();
            if (v->IsReachable() && (item->EffectiveOptions() & tboDefault) && (item->ItemStyle() & tbsfCanSelect) &&
                item->Enabled() && item->Visible()) {
              v->ExecuteItem(true);
              break;
            }
          }
        }
      }
    }
    return;
  }
  if (UsesToolbarStyle()) {
    FView->LeaveDropDownMode();
    FView->BeginCapture();
    RepaintViewer();
  }
}

void TTBItemViewer::MouseUp(int X, int Y, bool MouseWasDownOnMenu)
{
  bool wasCaptured = FView->MouseCaptured();
  FView->EndCapture();
  bool topLevelToolbar = !FView->IsPopup() && !FView->ParentView();
  if (FView->MouseOnSelected() && FView->Selected() == this && FItem->Enabled() &&
      !(FItem->ItemStyle() & tbsfPassClicks)) {
    if (!InButtonPart(X, Y)) {
      if (MouseWasDownOnMenu && topLevelToolbar)
        FView->FinishCancel();
    } else if (wasCaptured || !UsesToolbarStyle()) {
      ExecuteItem(true);
    }
    return;
  }
  if (topLevelToolbar)
    FView->FinishCancel();
}

TPoint TTBItemViewer::ScreenToViewer(const TPoint& P)
{
  TPoint p = FView->Window() ? FView->Window()->ScreenToClient(P) : P;
  return TPoint(p.x - BoundsRect.Left, p.y - BoundsRect.Top);
}

void TTBItemViewer::ExecuteItem(bool GivePriority)
{
  if (Activate() && GivePriority)
    FView->PromoteViewer(this);
}

std::string TTBItemViewer::GetHintText()
{
  std::string hint = GetShortHint(FItem->Hint());
  TTBItemFlags style = FItem->ItemStyle();
  if (hint.empty() && !(FItem->EffectiveOptions() & tboNoAutoHint) &&
      (!(style & tbsfOpensSubmenu) || (style & tbsfSplitButton) || !ShowsCaption()))
    hint = RemoveAccelMarks(TrimEllipsisOrColon(CaptionWithoutShortcut()));
  if (auto* action = dynamic_cast<TCustomAction*>(FItem->Action()))
    if (!action->DoHint(hint))
      hint.clear();
  if (!hint.empty() && FItem->ShortCut() != 0 && Application()->HintShortCuts())
    hint = hint + " (" + ShortCutToText(FItem->ShortCut()) + ")";
  return hint;
}

void TTBItemViewer::PostDefaultAction(int Flag) { PostDeferredViewerAction(this, Flag); }

void TTBItemViewer::Paint(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed, bool UseDisabledShadow)
{
  HDC dc = Canvas->Handle();
  bool toolbarStyle = UsesToolbarStyle();
  bool usable = FItem->Enabled() || FView->Customizing();
  bool designing = FItem->ComponentState().Contains(csDesigning);
  TTBItemFlags style = FItem->ItemStyle();
  TTBItemOptions options = FItem->EffectiveOptions();
  bool split = style & tbsfSplitButton;
  bool dropDown = (style & tbsfOpensSubmenu) && (split || (options & tboDropdownArrow));
  bool vertical = FView->Axis() == tbaVertical;
  bool checked = FItem->Checked();
  bool rotated = DrawsRotated();
  TCustomImageList* images = GetImageList();
  bool showImage = ShowsImage() && images;
  COLORREF fontColor = ColorToRGB(Canvas->Font()->Color());
  TEXTMETRICA tm{};

  TRect r = R;
  int column = R.Height();
  if (toolbarStyle) {
    TRect arrowArea;
    TRect button = R;
    if (split) {
      arrowArea = TRect(R.Right - 11, R.Top, R.Right - 2, R.Bottom);
      button.Right -= SplitArrowWidth;
    } else if (dropDown) {
      arrowArea = vertical ? TRect(R.Left, R.Bottom - 11, R.Right, R.Bottom - 3)
                           : TRect(R.Right - 11, R.Top, R.Right - 3, R.Bottom);
    }
    if ((IsSelected && usable) || checked || designing) {
      if (split) {
        bool buttonPushed = (IsPushed && FView->MouseCaptured()) || checked;
        TRect b = button;
        DrawEdge(dc, &b, buttonPushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        if ((IsSelected && usable) || designing) {
          TRect a(button.Right, R.Top, R.Right, R.Bottom);
          DrawEdge(dc, &a, (IsPushed && !FView->MouseCaptured()) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
      } else {
        TRect b = R;
        DrawEdge(dc, &b, (IsPushed || checked) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      }
    }
    if (dropDown) {
      bool pointLeft = !split && vertical;
      int aw = pointLeft ? 3 : 5, ah = pointLeft ? 5 : 3;
      int x = arrowArea.Left + (arrowArea.Width() - aw) / 2;
      int y = arrowArea.Top + (arrowArea.Height() - ah) / 2;
      if (!split && IsPushed)
        ++x, ++y;
      if (UseDisabledShadow) {
        DrawArrow(dc, x + 1, y + 1, pointLeft, ColorToRGB(clBtnHighlight));
        DrawArrow(dc, x, y, pointLeft, ColorToRGB(clBtnShadow));
      } else {
        DrawArrow(dc, x, y, pointLeft, fontColor);
      }
    }
    r = split ? button : R;
    InflateRect(&r, -1, -1);
    if (checked && !(IsSelected && usable))
      FillWithChecker(dc, r);
    InflateRect(&r, -1, -1);
    if (checked || (IsSelected && IsPushed && (!split || FView->MouseCaptured())))
      OffsetRect(&r, 1, 1);
    if (!split && dropDown)
      (vertical ? r.Bottom : r.Right) -= DropdownArrowWidth;
  } else {
    if (images)
      column = MulDiv(images->Width() + 3, R.Height(), images->Height() + 3);
    if (IsSelected) {
      TRect fill = R;
      if (showImage || checked)
        fill.Left = R.Left + column + 1;
      if (split && usable)
        fill.Right -= GetSystemMetrics(SM_CXMENUCHECK);
      Canvas->FillRect(fill);
    }
  }

  Canvas->Brush()->SetStyle(bsClear);
  if (options & tboDefault)
    Canvas->Font()->SetStyle(Canvas->Font()->Style() + fsBold);
  // The text below is drawn on the context itself: it must carry the
  // canvas's font (its colour) and the clear brush (no box behind the text).
  Canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  dc = Canvas->Handle();
  GetTextMetrics(dc, &tm);

  UINT hidePrefix = 0;
  if (!KeyboardCuesShown() && (FView->Traits() & vtHiddenAccels) && !(FView->Flags() & vfAccelsShown))
    hidePrefix = DT_HIDEPREFIX;
  int textRowHeight = tm.tmHeight + tm.tmExternalLeading;
  if (ShowsCaption()) {
    std::string caption = CaptionWithoutShortcut();
    if (toolbarStyle) {
      TRect cr = r;
      if (showImage) {
        if (rotated || (options & tboImageAboveCaption))
          cr.Top += images->Height() + 1;
        else
          cr.Left += images->Width() + 1;
      }
      DrawCaptionText(Canvas, cr, caption, UseDisabledShadow, hidePrefix | DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
      TRect cr = R;
      cr.Left = R.Left + column + 3;
      if (R.Height() == textRowHeight + 4)
        --cr.Bottom;
      cr.Top += tm.tmExternalLeading;
      DrawCaptionText(Canvas, cr, caption, UseDisabledShadow, hidePrefix | DT_VCENTER | DT_SINGLELINE);
    }
  }

  if (!toolbarStyle) {
    std::string shortcut = ShortcutText();
    if (!shortcut.empty()) {
      TRect sr = R;
      sr.Right = R.Right - R.Height();
      sr.Left = sr.Right - TextWidthOnDC(dc, shortcut, false);
      if (R.Height() == textRowHeight + 4)
        --sr.Bottom;
      sr.Top += tm.tmExternalLeading;
      DrawCaptionText(Canvas, sr, shortcut, UseDisabledShadow, DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE);
    }
    int cx = GetSystemMetrics(SM_CXMENUCHECK), cy = GetSystemMetrics(SM_CYMENUCHECK);
    if (split) {
      TRect part(R.Right - cx, R.Top, R.Right, R.Bottom);
      if (IsSelected && usable)
        DrawEdge(dc, &part, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
      else
        DrawEdge(dc, &part, IsSelected ? BDR_SUNKENOUTER : EDGE_ETCHED, BF_LEFT);
    }
    if (style & tbsfOpensSubmenu) {
      TRect ar(R.Right - cx, R.Top + (R.Height() - cy) / 2, R.Right, R.Top + (R.Height() - cy) / 2 + cy);
      if (UseDisabledShadow) {
        TRect shifted = ar;
        OffsetRect(&shifted, 1, 1);
        DrawMenuArrow(dc, shifted, ColorToRGB(clBtnHighlight));
        DrawMenuArrow(dc, ar, ColorToRGB(clBtnShadow));
      } else if (split && IsSelected && usable) {
        OffsetRect(&ar, 1, 1);
        DrawMenuArrow(dc, ar, ColorToRGB(clBtnText));
      } else {
        DrawMenuArrow(dc, ar, fontColor);
      }
    }
  }

  TRect imageArea;
  if (toolbarStyle) {
    if (images && (rotated || (options & tboImageAboveCaption)))
      imageArea = TRect(r.Left, r.Top, r.Right, r.Top + images->Height() + 2);
    else if (images)
      imageArea = TRect(r.Left, r.Top, r.Left + images->Width() + 2, r.Bottom);
  } else if (showImage || checked) {
    imageArea = TRect(R.Left, R.Top, R.Left + column, R.Bottom);
    if ((IsSelected && usable) || checked) {
      TRect e = imageArea;
      DrawEdge(dc, &e, checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      if (checked && !IsSelected) {
        TRect inner = imageArea;
        InflateRect(&inner, -1, -1);
        FillWithChecker(dc, inner);
      }
    }
    if (checked)
      OffsetRect(&imageArea, 1, 1);
  }
  if (showImage) {
    int x = imageArea.Left + (imageArea.Width() - images->Width()) / 2;
    int y = imageArea.Top + (imageArea.Height() - images->Height()) / 2;
    if (auto* tbImages = dynamic_cast<TTBCustomImageList*>(images))
      tbImages->DrawImageState(Canvas, x, y, FItem->ImageIndex(), usable, IsSelected, checked);
    else
      images->Draw(Canvas, x, y, FItem->ImageIndex(), usable);
  } else if (!toolbarStyle && checked) {
    int ox = (imageArea.Left + imageArea.Right) / 2 - 2, oy = (imageArea.Top + imageArea.Bottom) / 2 + 1;
    auto polyline = [&](std::initializer_list<TPoint> points, TColor color) {
      std::vector<TPoint> pts;
      for (TPoint p : points)
        pts.push_back(TPoint(ox + p.x, oy + p.y));
      HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
      HGDIOBJ old = SelectObject(dc, pen);
      Polyline(dc, pts.data(), int(pts.size()));
      SelectObject(dc, old);
      DeleteObject(pen);
    };
    polyline({{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}}, clBtnText);
    polyline({{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}}, clBtnHighlight);
  }
}

void TTBSeparatorItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight)
{
  if (UsesToolbarStyle()) {
    AWidth = AHeight = 6;
    return;
  }
  TEXTMETRICA tm{};
  GetTextMetrics(Canvas->Handle(), &tm);
  AHeight += DivideAwayFromZero(tm.tmHeight * 2, 3);
}

void TTBSeparatorItemViewer::Paint(TCanvas* Canvas, const TRect& R, bool, bool, bool)
{
  auto* separator = dynamic_cast<TTBSeparatorItem*>(FItem);
  if (separator && separator->Blank())
    return;
  HDC dc = Canvas->Handle();
  bool menuOrVertical = !UsesToolbarStyle() || FView->Axis() == tbaVertical;
  if (menuOrVertical == IsLineBreak()) {
    TRect line = R;
    line.Left = R.Width() / 2 - 1 + R.Left;
    if (IsLineBreak())
      line.Top += 4, line.Bottom -= 4;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  } else {
    TRect line = R;
    line.Top = R.Top + R.Height() / 2 - 1;
    int inset = !UsesToolbarStyle() ? 12 : IsLineBreak() ? (FView->Axis() == tbaFloating ? 1 : 4) : 0;
    line.Left += inset;
    line.Right -= inset;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  }
}
