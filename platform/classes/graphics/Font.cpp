#include "platform/classes/graphics/Font.h"

#include <cstring>

#include "platform/base/MulDiv.h"
#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/Text.h"

TFont::TFont() = default;

TFont::~TFont()
{
  FreeHandle();
}

void TFont::FreeHandle()
{
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
}

void TFont::Changed()
{
  FreeHandle();
  TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TFont*>(Source);
  if (!source) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (source == this)
    return;
  FName = source->FName;
  FStyle = source->FStyle;
  FCharset = source->FCharset;
  FPitch = source->FPitch;
  FColor = source->FColor;
  // The same size in points when the two fonts measure for different screens.
  FHeight = FPixelsPerInch == source->FPixelsPerInch ? source->FHeight
                                                      : -MulDiv(source->Size(), FPixelsPerInch, 72);
  Changed();
}

HFONT TFont::Handle()
{
  if (!FHandle) {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    FHandle = CreateFontIndirectA(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value)
{
  if (Value == FHandle)
    return;
  LOGFONTA lf{};
  if (!Value || GetObjectA(Value, sizeof(lf), &lf) == 0)
    return;
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  FStyle = TFontStyles();
  if (lf.lfWeight >= FW_BOLD)
    FStyle += fsBold;
  if (lf.lfItalic)
    FStyle += fsItalic;
  if (lf.lfUnderline)
    FStyle += fsUnderline;
  if (lf.lfStrikeOut)
    FStyle += fsStrikeOut;
  FCharset = lf.lfCharSet;
  BYTE pitch = lf.lfPitchAndFamily & 3;
  FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
  Changed();
  FHandle = Value;
}

void TFont::SetName(const std::string& Value)
{
  if (Value.empty() || Value == FName)
    return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value)
{
  if (Value == FHeight)
    return;
  FHeight = Value;
  Changed();
}

int TFont::Size() const
{
  return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value)
{
  SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles Value)
{
  if (Value == FStyle)
    return;
  FStyle = Value;
  Changed();
}

void TFont::SetColor(TColor Value)
{
  if (Value == FColor)
    return;
  FColor = Value;
  // The colour is not part of the layer's font: the handle stays.
  TGraphicsObject::Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
  if (Value == FCharset)
    return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
  if (Value == FPitch)
    return;
  FPitch = Value;
  Changed();
}
