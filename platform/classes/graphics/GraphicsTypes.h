// The enumerations and sets of the graphics objects, described for the
// run-time type information.
#pragma once

#include "platform/base/Set.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TFontStyle, "Graphics", fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = Set<TFontStyle>;
CORVANE_DESCRIBE_SET(TFontStyles);
CORVANE_ENUM(TFontPitch, "Graphics", fpDefault, fpVariable, fpFixed);
using TFontCharset = std::uint8_t;

CORVANE_ENUM(TPenStyle, "Graphics", psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
CORVANE_ENUM(TPenMode, "Graphics", pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
             pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);
CORVANE_ENUM(TBrushStyle, "Graphics", bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
             bsCross, bsDiagCross);

CORVANE_ENUM(TCanvasState, "Graphics", csHandleValid, csFontValid, csPenValid, csBrushValid);
using TCanvasStates = Set<TCanvasState>;
CORVANE_DESCRIBE_SET(TCanvasStates);

CORVANE_ENUM(TPixelFormat, "Graphics", pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit,
             pfCustom);
CORVANE_ENUM(TTransparentMode, "Graphics", tmAuto, tmFixed);
CORVANE_ENUM(TBitmapHandleType, "Graphics", bhDIB, bhDDB);

CORVANE_ENUM(TDrawingStyle, "ImgList", dsFocus, dsSelected, dsNormal, dsTransparent);
CORVANE_ENUM(TImageType, "ImgList", itImage, itMask);
