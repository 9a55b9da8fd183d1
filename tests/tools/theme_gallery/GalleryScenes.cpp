#include "GalleryScenes.h"

#include <string>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWTheme.h"
#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"
#include "tests/controls_themes/ItemInfoOf.h"

namespace {

constexpr int ImageSize = 16;
constexpr int PopupItemHeight = 20;
constexpr int PopupSeparatorHeight = 10;
constexpr int PopupMargin = ImageSize + 4;
constexpr int ButtonSize = 22;
constexpr int CharWidth = 6;  // the built-in font's cells

TTBWItemInfo Info(std::uint32_t ViewKind, std::uint32_t Options, bool Enabled = true, std::uint8_t Hover = HK_NONE,
                  bool Pushed = false, bool Checked = false)
{
  return ItemInfoOf(ViewKind, Options, Enabled, Hover, Pushed, Checked);
}

// Paints at an offset: the theme draws in the painted window's own
// coordinates.
class TOrigin {
public:
  TOrigin(TCanvas* Canvas, int X, int Y) : FDC(Canvas->Handle()) { SetViewportOrgEx(FDC, X, Y, &FOld); }
  ~TOrigin() { SetViewportOrgEx(FDC, FOld.x, FOld.y, nullptr); }

private:
  HDC FDC;
  TPoint FOld;
};

// A window whose text a panel caption shows.
class TCaptionWindow {
public:
  explicit TCaptionWindow(const char* Text) : FHandle(AllocateHWnd(TWndMethod(this, &TCaptionWindow::WndProc)))
  {
    SetWindowText(FHandle, Text);
  }
  ~TCaptionWindow() { DeallocateHWnd(FHandle); }
  HWND Handle() const { return FHandle; }

private:
  void WndProc(TMessage& Message) { Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam); }
  HWND FHandle;
};

void Caption(const TGalleryContext& Ctx, TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Item,
             const std::string& Text, UINT Format, bool Rotated = false)
{
  Canvas->Font()->SetColor(clNone);
  Ctx.Theme->DrawItemCaption(Canvas, R, Item, Text, Format, Rotated);
}

// ---- popup menu ----------------------------------------------------------

struct TMenuEntry {
  std::string Text;
  std::string Shortcut;
  bool Enabled = true;
  std::uint8_t Hover = HK_NONE;
  bool Checked = false;
  int Image = -1;
  std::uint32_t Options = 0;
  bool Separator = false;
  bool ShowPrefix = false;
};

std::vector<TMenuEntry> MenuEntries()
{
  std::vector<TMenuEntry> e(15);
  e[0].Text = "Normal";
  e[1].Text = "Survol", e[1].Hover = HK_HOVER;
  e[2].Text = "Inactif", e[2].Enabled = false;
  e[3].Text = "Inactif choisi", e[3].Enabled = false, e[3].Hover = HK_DISABLED;
  e[4].Text = "Coche", e[4].Checked = true;
  e[5].Text = "Image", e[5].Image = 0;
  e[6].Text = "Image survol", e[6].Image = 0, e[6].Hover = HK_HOVER;
  e[7].Text = "Image cochee", e[7].Image = 1, e[7].Checked = true;
  e[8].Separator = true;
  e[9].Text = "Sous-menu", e[9].Options = IO_SUBMENUITEM;
  e[10].Text = "Sous-menu survol", e[10].Options = IO_SUBMENUITEM, e[10].Hover = HK_HOVER;
  e[11].Text = "Double", e[11].Options = IO_COMBO | IO_SUBMENUITEM, e[11].Hover = HK_HOVER;
  e[12].Text = "Enregistrer", e[12].Shortcut = "Ctrl+S";
  e[13].Text = "&Accelerateur cache";
  e[14].Text = "&Accelerateur montre", e[14].ShowPrefix = true;
  return e;
}

void PaintPopupMenu(const TGalleryContext& Ctx, TCanvas* Canvas, int Width, int Height)
{
  TTBWTheme* theme = Ctx.Theme;
  const TRect all(0, 0, Width, Height);
  TPoint frame;
  theme->GetViewFrameSize(VT_POPUPMENU, frame);
  TRect client(frame.x, frame.y, Width - frame.x, Height - frame.y);
  theme->DrawViewBackground(Canvas, TRect(), client, client, theme->GetViewColor(VT_POPUPMENU), false, VT_POPUPMENU);
  PopupFramePaintState popup;
  popup.ViewKind = VT_POPUPMENU;
  theme->DrawPopupFrame(Canvas, all, popup);

  int y = client.Top;
  for (const TMenuEntry& e : MenuEntries()) {
    TTBWItemInfo item = Info(VT_POPUPMENU, IO_APPACTIVE | e.Options, e.Enabled, e.Hover, false, e.Checked);
    if (e.Separator) {
      theme->DrawSeparatorLine(Canvas, TRect(client.Left, y, client.Right, y + PopupSeparatorHeight), item, true,
                               false);
      y += PopupSeparatorHeight;
      continue;
    }
    const TRect r(client.Left, y, client.Right, y + PopupItemHeight);
    item.PopupMargin = PopupMargin;
    if (e.Image >= 0) {
      item.ImageShown = 1;
      item.ImageWidth = item.ImageHeight = ImageSize;
    }
    theme->DrawMenuItemFrame(Canvas, r, item);
    const TRect column(r.Left, r.Top, r.Left + PopupMargin, r.Bottom);
    if (e.Image >= 0) {
      const int x = column.Left + (PopupMargin - ImageSize) / 2, top = r.Top + (PopupItemHeight - ImageSize) / 2;
      theme->DrawItemImage(Canvas, TRect(x, top, x + ImageSize, top + ImageSize), item, Ctx.Images, e.Image);
    } else if (e.Checked) {
      theme->DrawCheckGlyph(Canvas, column, item);
    }
    const int captionLeft = r.Left + PopupMargin + theme->GetMetric(TMI_MENU_IMGTEXTSPACE) +
                            theme->GetMetric(TMI_MENU_LCAPTIONMARGIN);
    const TRect text(captionLeft, r.Top, r.Right - GetSystemMetrics(SM_CXMENUCHECK) - 2, r.Bottom);
    Caption(Ctx, Canvas, text, item, e.Text, DT_SINGLELINE | DT_VCENTER | (e.ShowPrefix ? 0 : DT_HIDEPREFIX));
    if (!e.Shortcut.empty())
      Caption(Ctx, Canvas, text, item, e.Shortcut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    y += PopupItemHeight;
  }
}

int PopupMenuHeight()
{
  int height = 6;
  for (const TMenuEntry& e : MenuEntries())
    height += e.Separator ? PopupSeparatorHeight : PopupItemHeight;
  return height;
}

// ---- toolbars ------------------------------------------------------------

enum class TButtonKind { Plain, Dropdown, Split, Separator, Chevron };

struct TButton {
  TButtonKind Kind = TButtonKind::Plain;
  int Image = -1;
  std::string Text;
  bool Enabled = true;
  std::uint8_t Hover = HK_NONE;
  bool Pushed = false;
  bool Checked = false;
  // Split items: the arrow part's state (the button part takes the rest).
  std::uint8_t ArrowHover = HK_NONE;
  bool ArrowPushed = false;
};

std::vector<TButton> StateButtons()
{
  std::vector<TButton> b(11);
  b[0].Image = 0;
  b[1].Image = 0, b[1].Hover = HK_HOVER;
  b[2].Image = 0, b[2].Pushed = true, b[2].Hover = HK_HOVER;
  b[3].Image = 1, b[3].Checked = true;
  b[4].Image = 1, b[4].Checked = true, b[4].Hover = HK_HOVER;
  b[5].Image = 0, b[5].Enabled = false;
  b[6].Kind = TButtonKind::Separator;
  b[7].Kind = TButtonKind::Dropdown, b[7].Image = 0, b[7].Hover = HK_HOVER;
  b[8].Kind = TButtonKind::Split, b[8].Image = 1, b[8].Hover = HK_HOVER, b[8].ArrowHover = HK_HOVER,
  b[8].ArrowPushed = true;
  b[9].Text = "Texte", b[9].Hover = HK_HOVER;
  b[10].Kind = TButtonKind::Chevron;
  return b;
}

int ButtonLength(const TGalleryContext& Ctx, const TButton& B)
{
  switch (B.Kind) {
    case TButtonKind::Separator: return Ctx.Theme->GetMetric(TMI_TLBR_SEPARATORSIZE);
    case TButtonKind::Chevron: return 13;
    case TButtonKind::Dropdown: return ButtonSize + Ctx.Theme->GetMetric(TMI_DROPDOWN_ARROWWIDTH);
    case TButtonKind::Split: return ButtonSize + Ctx.Theme->GetMetric(TMI_SPLITBTN_ARROWWIDTH);
    case TButtonKind::Plain: return B.Text.empty() ? ButtonSize : int(B.Text.size()) * CharWidth + 10;
  }
  return ButtonSize;
}

// The items of a toolbar laid out from the client's origin, along x or
// (Vertical) along y.
void PaintButtons(const TGalleryContext& Ctx, TCanvas* Canvas, std::uint32_t ViewKind, bool Vertical,
                  const std::vector<TButton>& Buttons, std::uint32_t Options)
{
  TTBWTheme* theme = Ctx.Theme;
  int at = 0;
  for (const TButton& b : Buttons) {
    const int length = ButtonLength(Ctx, b);
    auto along = [&](int from, int to) {
      return Vertical ? TRect(0, from, ButtonSize, to) : TRect(from, 0, to, ButtonSize);
    };
    const TRect r = along(at, at + length);
    TTBWItemInfo item = Info(ViewKind, IO_TOOLBARSTYLE | Options, b.Enabled, b.Hover, b.Pushed, b.Checked);
    item.IsVertical = Vertical;
    if (b.Image >= 0) {
      item.ImageShown = 1;
      item.ImageWidth = item.ImageHeight = ImageSize;
    }
    TRect face = r;
    switch (b.Kind) {
      case TButtonKind::Separator: theme->DrawSeparatorLine(Canvas, r, item, Vertical, false); break;
      case TButtonKind::Chevron: theme->DrawChevronGlyph(Canvas, r, item); break;
      case TButtonKind::Dropdown:
        item.ComboPart = CP_COMBO;
        theme->DrawItemFrame(Canvas, r, item);
        face = along(at, at + ButtonSize);
        theme->DrawDropdownArrow(Canvas, along(at + ButtonSize, at + length), item);
        break;
      case TButtonKind::Split: {
        item.ItemOptions |= IO_COMBO;
        item.IsVertical = 0;
        face = along(at, at + ButtonSize);
        item.ComboPart = CP_SPLITLEFT;
        theme->DrawItemFrame(Canvas, face, item);
        TTBWItemInfo arrow = item;
        arrow.ComboPart = CP_SPLITRIGHT;
        arrow.HoverKind = b.ArrowHover;
        arrow.Pushed = b.ArrowPushed;
        arrow.Checked = 0;
        theme->DrawItemFrame(Canvas, along(at + ButtonSize, at + length), arrow);
        break;
      }
      case TButtonKind::Plain: theme->DrawItemFrame(Canvas, r, item); break;
    }
    if (b.Kind != TButtonKind::Separator && b.Kind != TButtonKind::Chevron) {
      if (b.Image >= 0) {
        const int x = face.Left + (face.Right - face.Left - ImageSize) / 2;
        const int y = face.Top + (face.Bottom - face.Top - ImageSize) / 2;
        theme->DrawItemImage(Canvas, TRect(x, y, x + ImageSize, y + ImageSize), item, Ctx.Images, b.Image);
      }
      if (!b.Text.empty())
        Caption(Ctx, Canvas, face, item, b.Text, DT_SINGLELINE | DT_VCENTER | DT_CENTER, Vertical);
    }
    at += length;
  }
}

int ButtonsLength(const TGalleryContext& Ctx, const std::vector<TButton>& Buttons)
{
  int length = 0;
  for (const TButton& b : Buttons)
    length += ButtonLength(Ctx, b);
  return length;
}

// A docked toolbar at (X, Y): its frame with the drag handle, then its items.
void PaintDockedToolbar(const TGalleryContext& Ctx, TCanvas* Canvas, int X, int Y, bool Vertical,
                        TTBDragHandleStyle Handle, std::uint32_t Close, const std::vector<TButton>& Buttons)
{
  TTBWTheme* theme = Ctx.Theme;
  const std::uint32_t vk = VT_TOOLBAR;
  WindowPaintState ws;
  ws.ViewKind = vk;
  ws.IsVertical = Vertical;
  ws.AllowDrag = 1;
  ws.BorderStyle = 1;
  theme->GetViewFrameSize(vk, ws.BorderSize);
  ws.DragHandleStyle = Handle;
  ws.CloseButtonState = Close;
  ws.EffectiveColor = theme->GetViewColor(vk);
  const int handle = GetDragHandleSize(ws);
  const int length = ButtonsLength(Ctx, Buttons);
  ws.ClientWidth = Vertical ? ButtonSize : length;
  ws.ClientHeight = Vertical ? length : ButtonSize;
  const int width = ws.ClientWidth + 2 * ws.BorderSize.x + (Vertical ? 0 : handle);
  const int height = ws.ClientHeight + 2 * ws.BorderSize.y + (Vertical ? handle : 0);
  TOrigin window(Canvas, X, Y);
  Canvas->Brush()->SetColor(ws.EffectiveColor);
  theme->DrawDockableFrame(Canvas, TRect(0, 0, width, height), ws);
  const TPoint client(ws.BorderSize.x + (Vertical ? 0 : handle), ws.BorderSize.y + (Vertical ? handle : 0));
  TOrigin inside(Canvas, X + client.x, Y + client.y);
  const TRect area(0, 0, ws.ClientWidth, ws.ClientHeight);
  theme->DrawViewBackground(Canvas, TRect(), area, area, ws.EffectiveColor, false, vk);
  PaintButtons(Ctx, Canvas, vk, Vertical, Buttons, IO_APPACTIVE);
}

void PaintDock(const TGalleryContext& Ctx, TCanvas* Canvas, const TRect& R, int Side)
{
  FillRect(Canvas->Handle(), &R, GetSysColorBrush(COLOR_BTNFACE));
  if (Ctx.Theme->HasFeature(TBF_PAINTDOCKBACKGROUND))
    Ctx.Theme->DrawDockBackground(Canvas, R, R, Side);
}

void PaintToolbars(const TGalleryContext& Ctx, TCanvas* Canvas, int Width, int Height)
{
  PaintDock(Ctx, Canvas, TRect(0, 0, Width, 30 * 4), DS_TOP);
  PaintDock(Ctx, Canvas, TRect(0, 30 * 4, 34, Height), DS_LEFT);
  const std::vector<TButton> states = StateButtons();
  PaintDockedToolbar(Ctx, Canvas, 2, 2, false, dhDouble, 0, states);
  std::vector<TButton> few(3);
  few[0].Image = 0, few[1].Image = 1, few[2].Text = "Ab";
  PaintDockedToolbar(Ctx, Canvas, 2, 32, false, dhSingle, 0, few);
  PaintDockedToolbar(Ctx, Canvas, 140, 32, false, dhNone, 0, few);
  PaintDockedToolbar(Ctx, Canvas, 2, 62, false, dhDouble, CDBS_VISIBLE, few);
  PaintDockedToolbar(Ctx, Canvas, 140, 62, false, dhSingle, CDBS_VISIBLE | CDBS_HOT, few);
  PaintDockedToolbar(Ctx, Canvas, 280, 62, false, dhNone, CDBS_VISIBLE | CDBS_HOT | CDBS_PRESSED, few);
  std::vector<TButton> vertical(4);
  vertical[0].Image = 0, vertical[1].Text = "Vertical", vertical[1].Hover = HK_HOVER;
  vertical[2].Kind = TButtonKind::Separator, vertical[3].Kind = TButtonKind::Dropdown, vertical[3].Image = 1;
  PaintDockedToolbar(Ctx, Canvas, 2, 30 * 4 + 2, true, dhDouble, CDBS_VISIBLE, vertical);
  PaintDockedToolbar(Ctx, Canvas, 2, 92, false, dhDouble, 0, {few[0], few[1]});
}

// ---- floating windows ----------------------------------------------------

void PaintFloating(const TGalleryContext& Ctx, TCanvas* Canvas, int X, int Y, bool Active, std::uint32_t Close,
                   const char* Title)
{
  TTBWTheme* theme = Ctx.Theme;
  const std::uint32_t vk = VT_TOOLBAR | VT_FLOATING;
  std::vector<TButton> buttons(3);
  buttons[0].Image = 0, buttons[1].Image = 1, buttons[1].Checked = true, buttons[2].Text = "Ab";
  ItemMarginSet margins;
  theme->GetViewMargins(vk, margins);
  FloatingPaintState fs;
  fs.ViewKind = vk;
  fs.ShowCaption = 1;
  theme->GetViewFrameSize(vk, fs.BorderSize);
  fs.CloseButtonState = Close;
  fs.RedrawParts = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
  fs.Caption = Title;
  fs.WindowColor = theme->GetViewColor(vk);
  fs.CaptionActive = Active;
  const int caption = GetSystemMetrics(SM_CYSMCAPTION);
  fs.ClientWidth = ButtonsLength(Ctx, buttons) + margins.Left + margins.Right;
  fs.ClientHeight = ButtonSize + margins.Top + margins.Bottom;
  const int width = fs.ClientWidth + 2 * fs.BorderSize.x;
  const int height = fs.ClientHeight + caption + 2 * fs.BorderSize.y;
  {
    TOrigin window(Canvas, X, Y);
    const TRect client(fs.BorderSize.x, fs.BorderSize.y + caption, width - fs.BorderSize.x, height - fs.BorderSize.y);
    theme->DrawViewBackground(Canvas, TRect(), client, client, fs.WindowColor, false, vk);
    theme->DrawFloatingFrame(Canvas, TRect(0, 0, width, height), fs);
  }
  TOrigin items(Canvas, X + fs.BorderSize.x + margins.Left, Y + fs.BorderSize.y + caption + margins.Top);
  PaintButtons(Ctx, Canvas, vk, false, buttons, IO_APPACTIVE);
}

void PaintFloatingWindows(const TGalleryContext& Ctx, TCanvas* Canvas, int Width, int Height)
{
  const TRect all(0, 0, Width, Height);
  FillRect(Canvas->Handle(), &all, GetSysColorBrush(COLOR_APPWORKSPACE));
  PaintFloating(Ctx, Canvas, 4, 4, true, CDBS_VISIBLE, "Outils actifs");
  PaintFloating(Ctx, Canvas, 4, 54, false, CDBS_VISIBLE, "Outils inactifs");
  PaintFloating(Ctx, Canvas, 130, 4, true, CDBS_VISIBLE | CDBS_HOT, "Survol");
  PaintFloating(Ctx, Canvas, 130, 54, true, CDBS_VISIBLE | CDBS_HOT | CDBS_PRESSED, "Une legende bien trop longue");
}

// ---- menu bar ------------------------------------------------------------

void PaintMenuBar(const TGalleryContext& Ctx, TCanvas* Canvas, int Width, int)
{
  TTBWTheme* theme = Ctx.Theme;
  const std::uint32_t vk = VT_MENUBAR;
  for (int row = 0; row < 2; ++row) {
    const bool active = row == 0;
    TOrigin origin(Canvas, 0, row * (ButtonSize + 4));
    const TRect area(0, 0, Width, ButtonSize);
    theme->DrawViewBackground(Canvas, TRect(), area, area, theme->GetViewColor(vk), false, vk);
    struct {
      const char* Text;
      bool Enabled;
      std::uint8_t Hover;
      bool Pushed;
    } items[] = {{"&Fichier", true, HK_NONE, false},
                 {"&Edition", true, HK_HOVER, false},
                 {"&Affichage", true, HK_HOVER, true},
                 {"A&ide", false, HK_NONE, false}};
    int x = 2;
    for (const auto& e : items) {
      const int w = int(std::string(e.Text).size() - 1) * CharWidth + 14;
      const TRect r(x, 0, x + w, ButtonSize);
      const TTBWItemInfo item =
          Info(vk, IO_TOOLBARSTYLE | (active ? IO_APPACTIVE : 0), e.Enabled, e.Hover, e.Pushed, false);
      theme->DrawItemFrame(Canvas, r, item);
      Caption(Ctx, Canvas, r, item, e.Text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
      x += w;
    }
  }
}

// ---- docked panels -------------------------------------------------------

void PaintPanel(const TGalleryContext& Ctx, TCanvas* Canvas, const TRect& R, bool Horizontal, std::uint32_t Close,
                const char* Title)
{
  TTBWTheme* theme = Ctx.Theme;
  TCaptionWindow window(Title);
  PanelCaptionState ps;
  ps.WindowHandle = window.Handle();
  ps.ViewKind = VT_DOCKPANEL;
  ps.IsHorizontalCaption = Horizontal;
  ps.AllowDrag = 1;
  ps.ShowCaptionWhenDocked = 1;
  ps.CloseButtonState = Close;
  ps.EffectiveColor = theme->GetViewColor(VT_DOCKPANEL);
  TPoint border;
  theme->GetViewFrameSize(VT_DOCKPANEL, border);
  ps.BorderSizeX = border.x;
  ps.BorderSizeY = border.y;
  ps.ClientWidth = R.Right - R.Left - 2 * border.x;
  ps.ClientHeight = R.Bottom - R.Top - 2 * border.y;
  TOrigin origin(Canvas, R.Left, R.Top);
  const TRect local(0, 0, R.Right - R.Left, R.Bottom - R.Top);
  theme->DrawViewBackground(Canvas, TRect(), local, local, ps.EffectiveColor, false, VT_DOCKPANEL);
  theme->DrawPanelCaptionBar(Canvas, local, ps);
}

void PaintPanels(const TGalleryContext& Ctx, TCanvas* Canvas, int, int)
{
  PaintPanel(Ctx, Canvas, TRect(2, 2, 122, 62), true, CDBS_VISIBLE, "Console");
  PaintPanel(Ctx, Canvas, TRect(126, 2, 246, 62), true, CDBS_VISIBLE | CDBS_HOT, "Plug-ins");
  PaintPanel(Ctx, Canvas, TRect(250, 2, 370, 62), true, CDBS_VISIBLE | CDBS_HOT | CDBS_PRESSED, "Affichage");
  PaintPanel(Ctx, Canvas, TRect(2, 66, 122, 126), true, 0, "Une legende bien trop longue");
  PaintPanel(Ctx, Canvas, TRect(126, 66, 186, 186), false, CDBS_VISIBLE, "Vertical");
  PaintPanel(Ctx, Canvas, TRect(190, 66, 250, 186), false, CDBS_VISIBLE | CDBS_HOT, "Survol");
}

// ---- status bar ----------------------------------------------------------

void PaintStatusBar(const TGalleryContext& Ctx, TCanvas* Canvas, int Width, int)
{
  TTBWTheme* theme = Ctx.Theme;
  const TRect bar(0, 0, Width, 22);
  theme->DrawStatusBarPart(Canvas, bar, 0);
  theme->DrawStatusBarPart(Canvas, TRect(2, 2, 102, 22), 1);
  theme->DrawStatusBarPart(Canvas, TRect(104, 2, 204, 22), 1);
  theme->DrawStatusBarPart(Canvas, TRect(206, 2, Width - 18, 22), 2);
  theme->DrawStatusBarPart(Canvas, TRect(Width - 16, 6, Width, 22), 3);
  const TTBWItemInfo text = Info(VT_KINDMASK_TOOLBAR, IO_TOOLBARSTYLE);
  Caption(Ctx, Canvas, TRect(2 + 1, 2, 102 - 3, 22), text, "Panneau", DT_SINGLELINE | DT_VCENTER);
  const TTBWItemInfo disabled = Info(VT_STATUSBAR, 0, false);
  Caption(Ctx, Canvas, TRect(104 + 1, 2, 204 - 3, 22), disabled, "Inactif", DT_SINGLELINE | DT_VCENTER);
  // The size grip at every size from 8 to 16 pixels.
  const TRect row(0, 26, Width, 50);
  theme->DrawStatusBarPart(Canvas, row, 0);
  int x = 4;
  for (int size = 8; size <= 16; ++size) {
    theme->DrawStatusBarPart(Canvas, TRect(x, row.Bottom - size - 2, x + size, row.Bottom - 2), 3);
    x += size + 6;
  }
}

}  // namespace

std::vector<TGalleryScene> GalleryScenes()
{
  return {
      {"popupmenu", 200, PopupMenuHeight(),
       [](const TGalleryContext& c, TCanvas* canvas) { PaintPopupMenu(c, canvas, 200, PopupMenuHeight()); }},
      {"toolbars", 420, 264, [](const TGalleryContext& c, TCanvas* canvas) { PaintToolbars(c, canvas, 420, 264); }},
      {"floating", 260, 104,
       [](const TGalleryContext& c, TCanvas* canvas) { PaintFloatingWindows(c, canvas, 260, 104); }},
      {"menubar", 260, 48, [](const TGalleryContext& c, TCanvas* canvas) { PaintMenuBar(c, canvas, 260, 48); }},
      {"panels", 372, 188, [](const TGalleryContext& c, TCanvas* canvas) { PaintPanels(c, canvas, 372, 188); }},
      {"statusbar", 320, 50, [](const TGalleryContext& c, TCanvas* canvas) { PaintStatusBar(c, canvas, 320, 50); }},
  };
}
