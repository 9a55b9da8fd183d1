// TFont: a font description (name, height, style, colour, character set,
// pitch) and the drawing layer's font made from it on first use. Size is in
// points at PixelsPerInch (96); Height in pixels, negative for the character
// height without internal leading.
#pragma once

#include <string>

#include "platform/base/Types.h"
#include "platform/classes/graphics/GraphicsObject.h"
#include "platform/classes/graphics/GraphicsTypes.h"
#include "platform/win/gdi/SysColors.h"

class TFont : public TGraphicsObject {
public:
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  void Assign(TPersistent* Source) override;

  // The font of the drawing layer, made when first asked for and remade after a change.
  HFONT Handle();
  // Takes the description from a font of the layer; the font keeps the handle.
  void SetHandle(HFONT Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Size() const;
  void SetSize(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : 96; }

protected:
  void Changed() override;

private:
  void FreeHandle();

  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = 1;  // DEFAULT_CHARSET
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch = 96;
  HFONT FHandle = nullptr;
};
