// Blending of 32-bit bitmap rows, per byte (blue, green, red, alpha):
// (d * (256 - a) + s * a) div 256 + bias, clamped to 0..255.
#pragma once

#include <cstdint>

#include "platform/base/Geometry.h"
#include "platform/win/gdi/GdiTypes.h"

enum TBlendMode { bmConstantAlpha, bmPerPixelAlpha, bmMasterAlpha, bmConstantAlphaAndColor };

void BlendRowConstant(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha, int Bias);
void BlendRowSourceAlpha(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int Bias);
void BlendRowScaledAlpha(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha,
                         int Bias);
// Colour is a COLORREF (0x00BBGGRR); the pixels are 0xAARRGGBB.
void BlendRowColor(std::uint32_t* Destination, int Count, int ConstantAlpha, std::uint32_t Color);

// Blends R of the source DC's bitmap into the destination DC's bitmap at
// Target. Both must hold 32-bit DIB sections. In bmConstantAlphaAndColor
// mode only the destination is used and Bias carries the colour.
void BlendRect(HDC Source, HDC Destination, const TRect& R, TPoint Target, int Bias, int ConstantAlpha, TBlendMode Mode);
