// TTBWStatusBar: a status bar painted by the current theme, made of panels
// that show a caption, an image, or host a child control. Each time the bar
// changes size its layout decides which panels fit (ViewPriority) and which
// take the spare width (StretchPriority, capped by MaxSize), then moves the
// hosted controls into their panels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWTheme.h"
#include "platform/classes/components/Collection.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/controls/CustomControl.h"

class TCustomImageList;
class TChangeLink;
class TTBWCustomStatusBar;
class TTBWTheme;

// 0 to 100.
using TPercent = std::uint8_t;

enum TTextTruncation { twNone, twEndEllipsis, twPathEllipsis };

// The draw-text format of a panel's caption: the alignment, vertically
// centred on one line, and the truncation.
UINT StatusCaptionFormat(TAlignment Alignment, TTextTruncation Truncation);

// The status bar's state word (bit 0 disabled; bits 8 to 11 the view kind:
// 0 a toolbar, 1 a dock panel, 2 a status bar) drawn through the theme.
TColor StatusItemTextColor(TTBWTheme* Theme, WORD State);
void StatusPaintCaption(TTBWTheme* Theme, TCanvas* Canvas, const TRect& R, const std::string& Caption, UINT Format,
                        WORD State);
void StatusPaintImage(TTBWTheme* Theme, TCanvas* Canvas, const TRect& R, TCustomImageList* Images, int Index,
                      WORD State);
constexpr WORD StatusDisabled = 1;
constexpr WORD StatusViewStatusBar = 0x200;

class TTBWStatusPanel : public TCollectionItem {
public:
  TTBWStatusPanel();
  ~TTBWStatusPanel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TControl* Control() const { return FControl; }
  // Raises EInvalidOperation "Can't insert own parent" for the bar itself
  // or one of its parents; a control hosted by another panel moves here.
  void SetControl(TControl* Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Framed() const { return FFramed; }
  void SetFramed(bool Value);
  // Overrides applied on top of the bar's font when the panel is drawn.
  TFontSettings* FontSettings() const { return FFontSettings.get(); }
  void SetFontSettings(TFontSettings* Value) { FFontSettings->Assign(Value); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int MaxSize() const { return FMaxSize; }
  void SetMaxSize(int Value);
  int Size() const { return FSize; }
  void SetSize(int Value);
  TPercent StretchPriority() const { return FStretchPriority; }
  void SetStretchPriority(TPercent Value);
  int Tag = 0;
  TTextTruncation TextTruncation() const { return FTextTruncation; }
  void SetTextTruncation(TTextTruncation Value);
  TPercent ViewPriority() const { return FViewPriority; }
  void SetViewPriority(TPercent Value);

  // Copies ViewPriority and Control (found by the source control's name
  // among the components of the bar's owner).
  void Assign(TPersistent* Source) override;

  // Set by the layout.
  TRect PanelRect;
  int CachedSize = 0;
  bool Shown = false;
  bool FlushRight = false;

  TTBWCustomStatusBar* StatusBar() const;

protected:
  std::string GetDisplayName() const override;

private:
  friend class TTBWCustomStatusBar;
  void ChangedLayout() { Changed(false); }
  void FontSettingsChanged(TObject*) { ChangedLayout(); }

  TAlignment FAlignment = taLeftJustify;
  std::string FCaption;
  TControl* FControl = nullptr;
  bool FEnabled = true;
  bool FFramed = true;
  std::unique_ptr<TFontSettings> FFontSettings;
  std::string FHint;
  int FImageIndex = -1;
  int FMaxSize = 0;
  int FSize = 50;
  TPercent FStretchPriority = 0;
  TTextTruncation FTextTruncation = twNone;
  TPercent FViewPriority = 100;
};

class TTBWStatusPanels : public TCollection {
public:
  explicit TTBWStatusPanels(TTBWCustomStatusBar* Owner);
  TTBWStatusPanel* Add() { return static_cast<TTBWStatusPanel*>(TCollection::Add()); }
  TTBWStatusPanel* Items(int Index) const { return static_cast<TTBWStatusPanel*>(TCollection::Items(Index)); }
  TTBWStatusPanel* operator[](int Index) const { return Items(Index); }
  // The first panel hosting Control, or null.
  TTBWStatusPanel* FindPanel(TControl* Control) const;
  TPersistent* GetOwner() const override;
  TTBWCustomStatusBar* StatusBar() const { return FStatusBar; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TTBWCustomStatusBar* FStatusBar;
};

using TStatusPanelEvent = Method<void(TObject* Sender, TTBWStatusPanel* Panel)>;
using TAdjustContentRectEvent = Method<void(TObject* Sender, TTBWStatusPanel* Panel, TRect& Rect)>;
using TPanelFontEvent = Method<void(TObject* Sender, TTBWStatusPanel* Panel, TFont* Font)>;

class TTBWCustomStatusBar : public TCustomControl {
public:
  explicit TTBWCustomStatusBar(TComponent* AOwner);
  ~TTBWCustomStatusBar() override;

  TTBWStatusPanels* Panels() const { return FPanels; }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  bool FixAlign() const { return FFixAlign; }
  void SetFixAlign(bool Value) { FFixAlign = Value; }
  const ItemMarginSet& PanelMargins() const { return FMargins; }
  // The theme the bar paints with: the nexus's current theme, or, while no
  // theme layer runs, a plain one of the bar's own drawn with the platform's
  // edges and grip.
  TTBWTheme* PaintTheme();

  // The panel under a client point: the first shown panel holding it.
  TTBWStatusPanel* GetPanelAt(TPoint P);
  // Whether the grip is drawn (and sizes the form), and where.
  bool IsSizeGripVisible();
  TRect GetGripRect();

  // Lays out, repaints and places the hosted controls.
  virtual void UpdatePanels();

  TAdjustContentRectEvent OnAdjustContentRect;
  TStatusPanelEvent OnPanelClick;
  TStatusPanelEvent OnPanelDblClick;
  TPanelFontEvent OnPanelFont;

  void Dispatch(TMessage& Message) override;

protected:
  virtual void AdjustContentRect(TTBWStatusPanel* Panel, TRect& Rect);
  virtual void DoPanelFont(TTBWStatusPanel* Panel, TFont* Font);
  virtual void DoPanelClick(TTBWStatusPanel* Panel);
  virtual void DoPanelDblClick(TTBWStatusPanel* Panel);
  virtual void DrawPanel(TRect Rect, TTBWStatusPanel* Panel, bool IsLast);
  virtual void LayoutPanels();

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  void Resize() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void FontChanged(TObject* Sender) override;
  // With the system menu font, which already has the system's size, only the
  // top moves; otherwise the bar scales as any control.
  void ChangeScale(int M, int D) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void Click() override;
  void DblClick() override;

private:
  friend class TTBWStatusPanel;
  void ImageListChange(TObject* Sender);
  TTBWStatusPanel* PanelUnderCursor();
  void SelectPanelFont(TTBWStatusPanel* Panel, bool Enabled);
  void CMControlListChange(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void WMNCHitTest(TMessage& Message);

  TTBWStatusPanels* FPanels;
  TCustomImageList* FImages = nullptr;
  TChangeLink* FImageChangeLink;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
  bool FUseSystemFont = false;
  bool FFixAlign = false;
  ItemMarginSet FMargins;
  std::unique_ptr<TTBWTheme> FPlainTheme;
  bool FUpdating = false;
};

class TTBWStatusBar : public TTBWCustomStatusBar {
public:
  using TTBWCustomStatusBar::TTBWCustomStatusBar;
};
