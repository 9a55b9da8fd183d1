// TTBWTextObject: a panel object that draws its caption inside margins,
// aligned left or right, on one line (cut with an ellipsis if asked) or
// wrapped at words, and that keeps its height fitted to the text.
#pragma once

#include <memory>
#include <string>

#include "controls/themes/TBWControlMargins.h"
#include "controls/themes/TBWPanelObject.h"

enum TTextWrapping : std::uint8_t { twNone, twEndEllipsis, twPathEllipsis, twWrap };

// The text-drawing flags of each wrapping mode, painting and measuring
// (measuring never forces a single line: a label measured for wrapping and
// painted on one line would not fit).
UINT PaintingWrapFlags(TTextWrapping Wrapping);
UINT MeasuringWrapFlags(TTextWrapping Wrapping);
// DT_LEFT, DT_RIGHT or DT_CENTER; right-to-left alignment swaps left and right.
UINT AlignmentTextFlag(TAlignment Alignment, bool RightToLeft);

class TTBWTextObject : public TTBWPanelObject {
public:
  explicit TTBWTextObject(TComponent* AOwner);
  ~TTBWTextObject() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTBWControlMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TTBWControlMargins* Value) { FMargins->Assign(Value); }
  TTextWrapping Wrapping() const { return FWrapping; }
  void SetWrapping(TTextWrapping Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);

  // Sets the height to what the text needs at the present width (with a
  // window and AutoSize, not while loading).
  void FitHeightToText();

  void Dispatch(TMessage& Message) override;

protected:
  virtual void AdjustTextFont(TFont* Font) { (void)Font; }
  virtual void MeasureTextHeight(TCanvas* Canvas, int& Height);
  virtual int DrawCaptionText(TCanvas* Canvas, TRect& Rect, UINT Flags);
  virtual void MarginsChanged(TObject* Sender);
  virtual void FocusFrameRect(const TRect& Rect, TRect& FocusRect);
  virtual void GetCaptionText(std::string& Text) { Text = this->Text(); }
  virtual TAlignment TextAlignmentOf() { return FAlignment; }
  virtual void ExtraTextMargins(TRect& Rect) { Rect = TRect(0, 0, 0, 0); }

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  void Paint() override;
  // The client rectangle less the margins.
  TRect TextArea();

private:
  bool MayFitHeight() const;
  // The height the text needs at a client width.
  int MeasuredHeightAt(int Width);

  TAlignment FAlignment = taLeftJustify;
  std::unique_ptr<TTBWControlMargins> FMargins;
  TTextWrapping FWrapping = twNone;
  bool FShowAccelChar = true;
  bool FAutoSizing = false;
  int FMeasuringWidth = -1;  // -1: the client width
};
