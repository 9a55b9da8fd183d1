// PNG pictures of drawing surfaces, for tests and the headless display: a
// whole bitmap, what a DC can draw on, and comparison with golden pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

// 0x00RRGGBB pixels, rows top first.
struct TPixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  friend bool operator==(const TPixelImage&, const TPixelImage&) = default;
};

// The pixels of a bitmap, or of the area a DC draws on (a memory DC: its
// bitmap; a window DC: the bounds of its visible region). Empty for a stale handle.
TPixelImage CaptureBitmap(HBITMAP bitmap);
TPixelImage CaptureDC(HDC dc);

bool WritePng(const std::string& path, const TPixelImage& image);
// False (and an empty image) for a missing or unreadable file.
bool ReadPng(const std::string& path, TPixelImage& image);

// True when the picture equals the golden PNG pixel for pixel. Otherwise the
// picture is written beside it as "<golden without .png>-FAILED.png" and
// message (when given) says where and how they differ.
bool MatchesGolden(const TPixelImage& picture, const std::string& goldenPath, std::string* message = nullptr);
