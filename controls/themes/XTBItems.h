// The extended items: themed items with wide (UTF-16) captions and hints,
// caption alignment, fixed sizes, an attached control whose visibility the
// item toggles, and owner-draw events around every part the theme paints.
// The host derives its network and plug-in menu items from TXTBCustomItem.
#pragma once

#include <cstdint>

#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWTheme.h"
#include "controls/toolbar/TBItemActionLink.h"
#include "platform/base/Utf.h"
#include "platform/classes/controls/ControlTypes.h"

class TBitmap;
class TCanvas;
class TControl;
class TCustomImageList;

enum TXTBPaintStage : std::uint8_t { pstPrePaint, pstPostPaint };

// PaintDefault is true when a handler is called; a pre-paint handler that
// clears it keeps the default painting of that part from happening.
using TXTBDrawEvent =
    Method<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TXTBPaintStage PaintStage, bool& PaintDefault)>;
using TXTBDrawItemEvent = Method<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, const TTBWItemInfo& ItemInfo,
                                      TXTBPaintStage PaintStage, bool& PaintDefault)>;
using TXTBDrawTextEvent =
    Method<void(TObject* Sender, TCanvas* ACanvas, TRect ClientAreaRect, WideString& ACaption, TRect& CaptionRect,
                bool IsTextRotated, TXTBPaintStage PaintStage, bool& PaintDefault)>;
using TXTBDrawImageEvent =
    Method<void(TObject* Sender, TCanvas* ACanvas, const TTBWItemInfo& ItemInfo, TXTBPaintStage PaintStage,
                TCustomImageList*& AImageList, int& AImageIndex, TRect& ARect, bool& PaintDefault)>;
using TXTBDrawHintEvent = Method<void(TObject* Sender, TBitmap* AHintBitmap, WideString& AHint, bool& PaintDefault)>;

class TXTBCustomItem : public TTBWCustomItem {
public:
  explicit TXTBCustomItem(TComponent* AOwner);

  // The caption shown; the narrow caption of the framework's item always
  // holds its 8-bit conversion (which the wide one is not made from).
  const WideString& Caption() const { return FCaption; }
  void SetCaption(const WideString& Value);
  const WideString& Hint() const { return FHint; }
  void SetHint(const WideString& Value);
  // Where the caption sits inside a toolbar-style item.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Fixed sizes when 0 or more; -1 measures the item (lower values are -1).
  int CustomWidth() const { return FCustomWidth; }
  void SetCustomWidth(int Value) { ChangeCustomSize(FCustomWidth, Value); }
  int CustomHeight() const { return FCustomHeight; }
  void SetCustomHeight(int Value) { ChangeCustomSize(FCustomHeight, Value); }
  // The control shown and hidden by a click; the item is checked while the
  // control is visible.
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);
  // The item grows with its dock.
  bool Anchored() const { return FAnchored; }
  void SetAnchored(bool Value) { FAnchored = Value; }

  TXTBDrawTextEvent OnDrawCaption;
  TXTBDrawHintEvent OnDrawHint;
  TXTBDrawItemEvent OnDrawItem;
  TXTBDrawImageEvent OnDrawImage;

  virtual bool DialogChar(WORD CharCode);
  virtual void DoDrawHint(TBitmap* HintBitmap, WideString& Hint, bool& PaintDefault);
  virtual void DoDrawItem(TCanvas* Canvas, const TRect& ARect, const TTBWItemInfo& ItemInfo,
                          TXTBPaintStage PaintStage, bool& PaintDefault);
  virtual void DoDrawCaption(TCanvas* Canvas, const TRect& ClientAreaRect, WideString& Caption, TRect& CaptionRect,
                             bool IsTextRotated, TXTBPaintStage PaintStage, bool& PaintDefault);
  virtual void DoDrawImage(TCanvas* Canvas, const TTBWItemInfo& ItemInfo, TXTBPaintStage PaintStage,
                           TCustomImageList*& ImageList, int& ImageIndex, TRect& ARect, bool& PaintDefault);
  virtual void ToggleControl();
  virtual void UpdateProps();

  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;
  void Click() override;
  void RefreshFromAction() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void DefineProperties(TFiler* Filer) override;

protected:
  TTBCustomItemActionLink* NewActionLink() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ChangeCustomSize(int& Field, int Value);
  void ReadCaption(TReader* Reader);
  void WriteCaption(TWriter* Writer);
  void ReadHint(TReader* Reader);
  void WriteHint(TWriter* Writer);

  WideString FCaption;
  WideString FHint;
  TAlignment FAlignment = taCenter;
  int FCustomWidth = -1;
  int FCustomHeight = -1;
  TControl* FControl = nullptr;
  bool FAnchored = false;
};

class TXTBItem : public TXTBCustomItem {
public:
  using TXTBCustomItem::TXTBCustomItem;
};

class TXTBSubmenuItem : public TXTBItem {
public:
  explicit TXTBSubmenuItem(TComponent* AOwner);
  // The item is a split button: a button part and an arrow part.
  bool DropdownCombo() const { return ItemStyle() & tbsfSplitButton; }
  void SetDropdownCombo(bool Value) { ChangeFlag(tbsfSplitButton, Value); }
};

class TXTBSeparatorItem : public TTBWSeparatorItem {
public:
  using TTBWSeparatorItem::TTBWSeparatorItem;
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;
};

// Shows an action's caption and hint on the wide ones.
class TXTBCustomItemActionLink : public TTBCustomItemActionLink {
public:
  explicit TXTBCustomItemActionLink(TXTBCustomItem* AClient) : TTBCustomItemActionLink(AClient), FClient(AClient) {}
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;

private:
  TXTBCustomItem* FClient;
};

// The 8-bit text of the system code page for a wide text, and back.
std::string WideToSystemText(const WideString& Text);
WideString SystemTextToWide(const std::string& Text);
