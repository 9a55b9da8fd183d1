#include "controls/themes/TBWViewers.h"

#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"

namespace {

bool InToolBoxPopup(TTBView* View) { return (ViewKindOf(View) & VT_TOOLBOXPOPUP) == VT_TOOLBOXPOPUP; }

TEXTMETRICA MetricsOf(TCanvas* Canvas)
{
  TEXTMETRICA tm{};
  GetTextMetrics(Canvas->Handle(), &tm);
  return tm;
}

}  // namespace

std::uint8_t HoverKindOf(TTBView* View, bool IsSelected, bool Enabled)
{
  if (!IsSelected)
    return HK_NONE;
  if (Enabled)
    return HK_HOVER;
  return View->SelectedByMouse() ? HK_NONE : HK_DISABLED;
}

unsigned StateFlagsOf(const TTBWItemInfo& Info) { return ItemStateFlags(Info); }

int PopupMarginOf(TTBItemViewer* Viewer)
{
  int w = 16, h = 16;
  if (auto* themed = dynamic_cast<TTBWItemViewer*>(Viewer)) {
    TSize size = themed->GetImageSize();
    w = size.cx;
    h = size.cy;
  } else if (TCustomImageList* images = Viewer->GetImageList()) {
    w = images->Width();
    h = images->Height();
  }
  TCanvas canvas;
  canvas.SetHandle(StockObjects().ColorDC);
  canvas.Font()->Assign(Viewer->View()->CaptionFont());
  const TEXTMETRICA tm = MetricsOf(&canvas);
  canvas.SetHandle(nullptr);
  ItemMarginSet margins;
  ActiveTheme().GetItemMargins(MID_MENUITEM, margins);
  const int v = margins.Top + margins.Bottom;
  const int row = std::max<int>(tm.tmHeight + tm.tmExternalLeading + v, v + h);
  // A theme without vertical margins and an item without images would make
  // the column's proportion 0 / 0: the column is then as wide as the row.
  if (v + h == 0)
    return row;
  return row * (v + w) / (v + h);
}

TTBWItemViewer::TTBWItemViewer(TTBView* AView, TTBCustomItem* AItem, int AInlineDepth)
    : TTBItemViewer(AView, AItem, AInlineDepth)
{
}

bool TTBWItemViewer::UsesToolbarSize() { return TTBItemViewer::UsesToolbarSize() || InToolBoxPopup(View()); }

bool TTBWItemViewer::UsesToolbarStyle() { return TTBItemViewer::UsesToolbarStyle() || InToolBoxPopup(View()); }

int TTBWItemViewer::GetAccRole()
{
  auto* item = dynamic_cast<TTBWCustomItem*>(Item());
  if (item && item->ToolBoxPopup() && (item->ItemStyle() & tbsfOpensSubmenu))
    return 58;  // a drop-down grid button
  return TTBItemViewer::GetAccRole();
}

int TTBWItemViewer::GetItemElementKind() { return UsesToolbarStyle() ? MID_TOOLBARITEM : MID_MENUITEM; }

bool TTBWItemViewer::HasImage()
{
  if (Item()->ImageIndex() < 0)
    return false;
  const TTBItemDisplayMode mode = Item()->DisplayMode();
  return mode == nbdmDefault || mode == nbdmImageAndText || (mode == nbdmTextOnlyInMenus && UsesToolbarStyle());
}

TSize TTBWItemViewer::GetImageSize()
{
  TCustomImageList* images = GetImageList();
  return images ? TSize(images->Width(), images->Height()) : TSize(0, 0);
}

UINT TTBWItemViewer::GetCaptionFormat()
{
  if (!KeyboardCuesShown() && (View()->Traits() & vtHiddenAccels) && !(View()->Flags() & vfAccelsShown))
    return DT_HIDEPREFIX;
  return 0;
}

void TTBWItemViewer::ApplyItemFont(TFont* Font, unsigned StateFlags)
{
  if (Item()->EffectiveOptions() & tboDefault)
    Font->SetStyle(Font->Style() + fsBold);
  if (auto* item = dynamic_cast<TTBWCustomItem*>(Item())) {
    ApplyFontSettings(*item->FontSettings(), Font);
    if (item->OnAdjustFont)
      item->OnAdjustFont(item, this, Font, int(StateFlags));
  }
}

void TTBWItemViewer::MeasureCaption(TCanvas* Canvas, const std::string& Caption, TPoint& Size, unsigned StateFlags,
                                    bool Rotated, UINT Format)
{
  Size = TPoint(0, 0);
  if (Caption.empty())
    return;
  Canvas->Font()->Assign(View()->CaptionFont());
  ApplyItemFont(Canvas->Font(), StateFlags);
  // Measured on the context itself: it must carry the item's font (a font
  // change leaves the context with the system font until the canvas selects
  // its own again).
  Canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = Canvas->Handle();
  if (Rotated) {
    HFONT vertical = CreateVerticalFont(dc);
    HGDIOBJ old = vertical ? SelectObject(dc, vertical) : nullptr;
    TEXTMETRICA tm{};
    GetTextMetrics(dc, &tm);
    Size = TPoint(tm.tmHeight, TextWidthOnDC(dc, Caption, true));
    if (vertical) {
      SelectObject(dc, old);
      DeleteObject(vertical);
    }
    return;
  }
  TRect r(0, 0, 1, 0);
  DrawText(dc, Caption.c_str(), int(Caption.size()), &r, Format | DT_CALCRECT);
  Size = TPoint(r.Width(), r.Height());
}

TTBWItemViewer::TResolvedLayout TTBWItemViewer::ResolvedLayout(bool& Explicit)
{
  auto* item = dynamic_cast<TTBWCustomItem*>(Item());
  const TTBWItemLayout layout = item ? item->Layout() : tbwlAuto;
  const bool imageAbove = Item()->EffectiveOptions() & tboImageAboveCaption;
  Explicit = layout != tbwlAuto || imageAbove;
  if (layout == tbwlGlyphLeft)
    return GlyphLeft;
  if (layout == tbwlGlyphTop || imageAbove || View()->Axis() == tbaVertical)
    return GlyphTop;
  return GlyphLeft;
}

void TTBWItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight)
{
  TTBWTheme& theme = ActiveTheme();
  const bool toolbarStyle = UsesToolbarStyle();
  const bool vertical = View()->Axis() == tbaVertical;
  TSize image = GetImageSize();
  if (image.cx <= 0 || image.cy <= 0)
    image = TSize(0, 0);
  bool explicitLayout = false;
  const TResolvedLayout layout = ResolvedLayout(explicitLayout);

  bool rotated = vertical && toolbarStyle;
  TPoint text(0, 0);
  std::string caption;
  if (ShowsCaption()) {
    caption = CaptionWithoutShortcut();
    if (explicitLayout)
      rotated = false;
    MeasureCaption(Canvas, caption, text, 0, rotated, rotated || !toolbarStyle ? DT_SINGLELINE : 0);
  } else {
    rotated = false;
  }

  const TTBItemFlags style = Item()->ItemStyle();
  if (toolbarStyle) {
    AWidth = AHeight = 6;
    if (!caption.empty()) {
      AWidth += text.x;
      AHeight += text.y;
      (rotated ? AHeight : AWidth) += 4;
    }
    if (HasImage() && image.cx > 0) {
      if (layout == GlyphLeft) {
        AWidth += image.cx + (FWide ? 1 : 0);
        AHeight = std::max<int>(AHeight, image.cy + 6);
      } else {
        AHeight += image.cy;
        AWidth = std::max<int>(AWidth, image.cx + 7);
      }
    }
    if (style & tbsfOpensSubmenu) {
      if (style & tbsfSplitButton) {
        AWidth += theme.GetMetric(TMI_SPLITBTN_ARROWWIDTH);
      } else if (Item()->EffectiveOptions() & tboDropdownArrow) {
        const int arrow = theme.GetMetric(TMI_DROPDOWN_ARROWWIDTH);
        if (layout == GlyphTop && image.cx != 0 && !rotated) {
          // The arrow sits beside the image, above the caption.
          if (vertical)
            AHeight = std::max<int>(AHeight, arrow + image.cy + 9);
          else
            AWidth = std::max<int>(AWidth, arrow + image.cx + 9);
        } else {
          (vertical ? AHeight : AWidth) += arrow;
        }
      }
    }
  } else {
    text.y += MetricsOf(Canvas).tmExternalLeading;
    AWidth = text.x;
    AHeight = std::max<int>(text.y, image.cy == 0 ? 16 : image.cy);
    ItemMarginSet margins;
    theme.GetItemMargins(MID_MENUITEM, margins);
    AWidth += margins.Left + margins.Right;
    AHeight += margins.Top + margins.Bottom;
    AWidth += theme.GetMetric(TMI_MENU_IMGTEXTSPACE) + PopupMarginOf(this) + theme.GetMetric(TMI_MENU_LCAPTIONMARGIN) +
              theme.GetMetric(TMI_MENU_RCAPTIONMARGIN);
    const std::string shortcut = ShortcutText();
    if (!shortcut.empty())
      AWidth += TextWidthOnDC(Canvas->Handle(), shortcut, true) + AHeight - 6;
    AWidth += AHeight;
  }
  if (auto* item = dynamic_cast<TTBWCustomItem*>(Item())) {
    AWidth = std::max(AWidth, item->MinWidth());
    AHeight = std::max(AHeight, item->MinHeight());
  }
}

bool TTBWItemViewer::InButtonPart(int X, int)
{
  const TTBItemFlags style = Item()->ItemStyle();
  if (!(style & tbsfSplitButton))
    return !(style & tbsfOpensSubmenu);
  const int arrow =
      UsesToolbarStyle() ? ActiveTheme().GetMetric(TMI_SPLITBTN_ARROWWIDTH) : GetSystemMetrics(SM_CXMENUCHECK);
  return X < BoundsRect.Width() - arrow;
}

void TTBWItemViewer::MouseUp(int X, int Y, bool MouseWasDownOnMenu)
{
  TTBItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
  // A release over the item clicks it even when the press began elsewhere
  // (on the menu bar, then dragged into a tool-box popup). A release away
  // from the item is no click.
  TTBView* view = View();
  if (Item()->Enabled() && (!(Item()->ItemStyle() & tbsfOpensSubmenu) || InButtonPart(X, Y)) &&
      view->SelectedByMouse() && view->Selected() == this && view->MouseOnSelected())
    ExecuteItem(true);
}

void TTBWItemViewer::PaintItemPart(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TItemPart Part)
{
  TTBWTheme& theme = ActiveTheme();
  switch (Part) {
    case ipItemFrame:
      theme.DrawItemFrame(Canvas, R, Info);
      break;
    case ipDropdownArrow:
      theme.DrawDropdownArrow(Canvas, R, Info);
      break;
    case ipMenuItemFrame:
      theme.DrawMenuItemFrame(Canvas, R, Info);
      break;
  }
}

TRect TTBWItemViewer::PlaceToolbarCaption(const TRect& Area, TPoint TextSize, int ImageBeside, UINT& Format)
{
  // Centred: across the area by the theme's text flags, along the image's
  // side by hand (the area there is taller or wider than the text).
  TRect r = Area;
  Format |= DT_CENTER | DT_VCENTER;
  if (ImageBeside == 1) {
    r.Left += (r.Width() - TextSize.x) / 2;
    r.Right = r.Left + TextSize.x;
    Format &= ~UINT(DT_CENTER);
  } else if (ImageBeside == 2) {
    r.Top += (r.Height() - TextSize.y) / 2;
    r.Bottom = r.Top + TextSize.y;
    Format &= ~UINT(DT_VCENTER);
  }
  return r;
}

void TTBWItemViewer::DrawCaption(TCanvas* Canvas, const TRect&, const TRect& TextRect, const std::string& Text,
                                 UINT Format, bool Rotated, const TTBWItemInfo& Info, bool)
{
  ActiveTheme().DrawItemCaption(Canvas, TextRect, Info, Text, Format, Rotated);
}

void TTBWItemViewer::DrawImage(TCanvas* Canvas, const TRect& ImageRect, const TTBWItemInfo& Info)
{
  TCustomImageList* images = GetImageList();
  const int index = Item()->ImageIndex();
  if (!images || index < 0 || index >= images->Count())
    return;
  TTBWTheme& theme = ActiveTheme();
  theme.DrawItemImage(Canvas, ImageRect, Info, images, index);
  auto* item = dynamic_cast<TTBWCustomItem*>(Item());
  if (item && item->OnDrawImage)
    item->OnDrawImage(item, this, Canvas, ImageRect, theme.GetImageShift(Canvas, Info, images),
                      int(StateFlagsOf(Info)));
}

void TTBWItemViewer::Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed, bool)
{
  TTBWTheme& theme = ActiveTheme();
  TTBView* view = View();
  TTBCustomItem* item = Item();
  const bool toolbarStyle = UsesToolbarStyle();
  const TTBItemFlags style = item->ItemStyle();
  const bool opensSubmenu = style & tbsfOpensSubmenu;
  const bool split = style & tbsfSplitButton;
  const bool vertical = view->Axis() == tbaVertical;
  // A split item pushed without the mouse held on it is pushed through its
  // arrow: its submenu is open.
  const bool arrowPushed = split && IsPushed && !view->MouseCaptured();
  if (arrowPushed)
    IsPushed = false;
  TSize image = GetImageSize();
  const bool imageShown = HasImage() && image.cx > 0 && image.cy > 0;
  if (!imageShown)
    image = TSize(0, 0);

  TTBWItemInfo info{};
  info.ViewKind = ViewKindOf(view);
  if (toolbarStyle)
    info.ItemOptions |= IO_TOOLBARSTYLE;
  if (opensSubmenu)
    info.ItemOptions |= IO_SUBMENUITEM;
  if (split)
    info.ItemOptions |= IO_COMBO;
  if (item->ComponentState().Contains(csDesigning))
    info.ItemOptions |= IO_DESIGNING;
  if (Application()->Active())
    info.ItemOptions |= IO_APPACTIVE;
  info.Enabled = item->Enabled() || view->Customizing();
  info.Pushed = IsPushed;
  info.Checked = item->Checked();
  info.ImageShown = imageShown;
  info.ImageWidth = image.cx;
  info.ImageHeight = image.cy;
  info.HoverKind = HoverKindOf(view, IsSelected, info.Enabled);
  info.IsPopupParent =
      toolbarStyle && (view->OpenViewerView() || opensSubmenu) && (split ? arrowPushed : IsPushed);
  info.IsVertical = vertical && !split;
  info.PopupMargin = PopupMarginOf(this);

  bool explicitLayout = false;
  const TResolvedLayout layout = ResolvedLayout(explicitLayout);
  const bool hasArrow = opensSubmenu && (split || (item->EffectiveOptions() & tboDropdownArrow));
  const bool drawCheck = imageShown || (!toolbarStyle && item->Checked());

  Canvas->Font()->Assign(view->CaptionFont());
  Canvas->Font()->SetColor(theme.GetItemTextColor(info));
  ApplyItemFont(Canvas->Font(), StateFlagsOf(info));
  const TColor textColor = Canvas->Font()->Color();

  UINT format = GetCaptionFormat();
  bool rotated = vertical && toolbarStyle;
  std::string caption;
  TPoint text(0, 0);
  const bool showsCaption = ShowsCaption();
  if (showsCaption) {
    caption = CaptionWithoutShortcut();
    if (explicitLayout)
      rotated = false;
    if (rotated || !toolbarStyle)
      format |= DT_SINGLELINE;
    MeasureCaption(Canvas, caption, text, StateFlagsOf(info), rotated, format);
  } else {
    rotated = false;
  }
  const bool arrowBesideImage = hasArrow && !split && toolbarStyle && layout == GlyphTop && explicitLayout &&
                                image.cx > 0 && !rotated && text.x > 0;

  TRect R = ClientAreaRect;
  ItemMarginSet margins;
  if (toolbarStyle) {
    const int m20 = theme.GetMetric(TMI_DROPDOWN_ARROWWIDTH);
    const int m21 = theme.GetMetric(TMI_DROPDOWN_ARROWMARGIN);
    TRect arrowRect;
    if (hasArrow) {
      info.ComboPart = CP_COMBO;
      if (split) {
        info.ComboPart = CP_SPLITLEFT;
        const int right = R.Right;
        R.Right -= theme.GetMetric(TMI_SPLITBTN_ARROWWIDTH);
        arrowRect = TRect(R.Right, R.Top, right, R.Bottom);
      } else if (arrowBesideImage) {
        arrowRect.Right = (m20 + image.cx + 2 + R.Left + R.Right + 2) / 2;
        arrowRect.Left = arrowRect.Right - m20;
        arrowRect.Top = (R.Top + R.Bottom - image.cy - 2 - text.y) / 2;
        arrowRect.Bottom = arrowRect.Top + image.cy;
      } else if (!vertical) {
        arrowRect = TRect(R.Right - m20 - m21, 0, R.Right - m21, R.Bottom);
      } else {
        arrowRect = TRect(0, R.Bottom - m20 - m21, R.Right, R.Bottom - m21);
      }
    }
    PaintItemPart(Canvas, R, info, ipItemFrame);
    if (split) {
      info.Pushed = arrowPushed;
      info.Checked = 0;
      info.ComboPart = CP_SPLITRIGHT;
      PaintItemPart(Canvas, arrowRect, info, ipItemFrame);
      info.ComboPart = CP_SPLITLEFT;
      info.Pushed = IsPushed;
      info.Checked = item->Checked();
    } else if (hasArrow) {
      PaintItemPart(Canvas, arrowRect, info, ipDropdownArrow);
      if (!arrowBesideImage)
        (vertical ? R.Bottom : R.Right) -= m20;
    }
    InflateRect(&R, -2, -2);
  } else {
    theme.GetItemMargins(MID_MENUITEM, margins);
    PaintItemPart(Canvas, R, info, ipMenuItemFrame);
    R.Left += margins.Left;
    R.Right -= margins.Right;
    R.Top += margins.Top;
    R.Bottom -= margins.Bottom;
  }

  const TEXTMETRICA tm = MetricsOf(Canvas);
  // A menu row exactly one text line high: the text sits one pixel higher.
  auto menuTextRect = [&](int Left, int Width) {
    TRect r = R;
    r.Left = Left;
    if (R.Height() - (tm.tmHeight + tm.tmExternalLeading) == margins.Bottom)
      --r.Bottom;
    r.Top += tm.tmExternalLeading;
    r.Right = r.Left + Width;
    return r;
  };
  auto drawCaption = [&](const TRect& TextRect, const std::string& Text, UINT Format, bool Rotated, bool Shortcut) {
    Canvas->Font()->SetColor(textColor);
    DrawCaption(Canvas, ClientAreaRect, TextRect, Text, Format, Rotated, info, Shortcut);
  };

  if (showsCaption) {
    TRect textRect = R;
    UINT captionFormat = format;
    if (toolbarStyle) {
      int imageBeside = 0;
      if (imageShown && layout == GlyphLeft) {
        textRect.Left += image.cx + 3;
        imageBeside = 1;
      } else if (imageShown) {
        textRect.Top += image.cy + 1 + (rotated ? 3 : 0);
        imageBeside = 2;
      }
      textRect = PlaceToolbarCaption(textRect, text, imageBeside, captionFormat);
    } else {
      captionFormat |= DT_VCENTER;
      textRect = menuTextRect(R.Left + theme.GetMetric(TMI_MENU_IMGTEXTSPACE) + info.PopupMargin +
                                  theme.GetMetric(TMI_MENU_LCAPTIONMARGIN),
                              text.x);
    }
    drawCaption(textRect, caption, captionFormat, rotated, false);
  }

  const std::string shortcut = ShortcutText();
  if (!toolbarStyle && !shortcut.empty()) {
    const int width = TextWidthOnDC(Canvas->Handle(), shortcut, true);
    drawCaption(menuTextRect(R.Right - R.Height() - width, width), shortcut, format | DT_VCENTER, false, true);
  }

  if (drawCheck) {
    TRect imageRect = R;
    if (toolbarStyle) {
      if (arrowBesideImage)
        OffsetRect(&imageRect, (1 - theme.GetMetric(TMI_DROPDOWN_ARROWWIDTH)) / 2, 0);
      if (layout == GlyphLeft) {
        imageRect.Right = imageRect.Left + image.cx + 2;
      } else {
        imageRect.Top = (imageRect.Top + imageRect.Bottom - image.cy - 2 - text.y) / 2;
        imageRect.Bottom = imageRect.Top + image.cy;
      }
    } else {
      imageRect.Right = imageRect.Left + ClientAreaRect.Height();
    }
    if (imageShown) {
      imageRect.Left += (imageRect.Width() - image.cx) / 2;
      imageRect.Top += (imageRect.Height() - image.cy) / 2;
      imageRect.Right = imageRect.Left + image.cx;
      imageRect.Bottom = imageRect.Top + image.cy;
      DrawImage(Canvas, imageRect, info);
    } else if (!toolbarStyle && item->Checked()) {
      theme.DrawCheckGlyph(Canvas, imageRect, info);
    }
  }
}

// The separator viewer

bool TTBWSeparatorItemViewer::UsesToolbarSize()
{
  return TTBSeparatorItemViewer::UsesToolbarSize() || InToolBoxPopup(View());
}

bool TTBWSeparatorItemViewer::UsesToolbarStyle()
{
  return TTBSeparatorItemViewer::UsesToolbarStyle() || InToolBoxPopup(View());
}

void TTBWSeparatorItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight)
{
  auto* separator = dynamic_cast<TTBWSeparatorItem*>(Item());
  const int size = separator ? separator->Size() : -1;
  const bool toolbarStyle = UsesToolbarStyle();
  if (size >= 0) {
    AWidth = toolbarStyle ? size : 0;
    AHeight = size;
    return;
  }
  const int themed = ActiveTheme().GetMetric(toolbarStyle ? TMI_TLBR_SEPARATORSIZE : TMI_MENU_SEPARATORSIZE);
  if (themed < 0) {
    TTBSeparatorItemViewer::CalcSize(Canvas, AWidth, AHeight);
    return;
  }
  AWidth = AHeight = themed;
}

void TTBWSeparatorItemViewer::Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool, bool IsPushed, bool)
{
  auto* separator = dynamic_cast<TTBWSeparatorItem*>(Item());
  if (separator && separator->Size() == 0)
    return;
  TTBView* view = View();
  const bool toolbarStyle = UsesToolbarStyle();
  const bool vertical = view->Axis() == tbaVertical;
  TTBWItemInfo info{};
  info.ViewKind = ViewKindOf(view);
  if (toolbarStyle)
    info.ItemOptions |= IO_TOOLBARSTYLE;
  if (Item()->ComponentState().Contains(csDesigning))
    info.ItemOptions |= IO_DESIGNING;
  auto* plain = dynamic_cast<TTBSeparatorItem*>(Item());
  info.Enabled = !(plain && plain->Blank());
  info.Pushed = IsPushed;
  info.IsVertical = vertical;
  if (!toolbarStyle)
    info.PopupMargin = PopupMarginOf(this);
  const bool lineBreak = IsLineBreak();
  bool horizontal = lineBreak != vertical || view->IsPopup();
  if (info.ViewKind == VT_CHEVRONPOPUP)
    horizontal = horizontal && lineBreak;
  ActiveTheme().DrawSeparatorLine(Canvas, ClientAreaRect, info, horizontal, lineBreak);
}
