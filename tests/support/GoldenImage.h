// Golden pictures for the tests: reading a PNG file back into pixels, and
// comparing a picture with a golden one, leaving the picture beside it when
// they differ.
#pragma once

#include <string>

#include "platform/win/gdi/Screenshot.h"

// False (and an empty image) for a missing or unreadable file.
bool ReadPng(const std::string& path, TPixelImage& image);

// True when the picture equals the golden PNG pixel for pixel. Otherwise the
// picture is written beside it as "<golden without .png>-FAILED.png" and
// message (when given) says where and how they differ.
bool MatchesGolden(const TPixelImage& picture, const std::string& goldenPath, std::string* message = nullptr);
