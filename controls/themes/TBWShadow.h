// One strip of a popup's drop shadow: a borderless tool window that the mouse
// passes through, placed just under the popup. It shows premultiplied black
// (FillBuffer) composed by the display (layered), blended by hand over what
// the screen showed beneath it (blended), or a flat clBtnShadow (solid).
#pragma once

#include <memory>

#include "controls/themes/TBWScratchBitmap.h"
#include "controls/themes/TBWShadowShapes.h"
#include "platform/classes/controls/CustomControl.h"

class TShadow : public TCustomControl {
public:
  // A hidden control owned by nobody, its parent window the application's.
  // The style follows what the system offers (ChooseShadowStyle).
  TShadow(const TRect& BoundsRect, BYTE Opacity, bool LowColor, BYTE Edges);
  ~TShadow() override;

  BYTE Opacity() const { return FOpacity; }
  BYTE Edges() const { return FEdges; }
  TShadowStyle Style() const { return FStyle; }
  bool SaveBits() const { return FSaveBits; }
  void SetSaveBits(bool Value) { FSaveBits = Value; }

  // Makes the window; a layered piece gets its image now, once. When the
  // display cannot compose it, the piece drops the layered style and falls
  // back to blending (or to solid without AlphaBlend).
  void Render();
  // Places the piece right after Window in the z-order and shows it without
  // activating anything. A blended piece first keeps the screen's pixels
  // under it, which its erase darkens.
  void ShowBelow(HWND Window);

  void Dispatch(TMessage& Message) override;

protected:
  // Paints the piece's alpha (premultiplied black) into Buffer.
  virtual void FillBuffer(TScratchBitmap& Buffer) = 0;
  void CreateParams(TCreateParams& Params) override;

private:
  void UpdateLayered();
  void CaptureBackground();
  void EraseBlended(HDC DC);
  BLENDFUNCTION Blend() const;

  BYTE FOpacity;
  BYTE FEdges;
  TShadowStyle FStyle;
  bool FSaveBits = false;
  // What the screen showed under a blended piece before it first showed.
  std::unique_ptr<TScratchBitmap> FBackground;
};

// A strip under an edge: fades down its rows.
class THorzShadow : public TShadow {
public:
  using TShadow::TShadow;

protected:
  void FillBuffer(TScratchBitmap& Buffer) override;
};

// A strip beside an edge: fades across its columns.
class TVertShadow : public TShadow {
public:
  using TShadow::TShadow;

protected:
  void FillBuffer(TScratchBitmap& Buffer) override;
};
