// TJpegMod: the viewer's JPEG picture, the class library's JPEG image with
// its decoded bitmap in reach.
#pragma once

#include "platform/classes/graphics/JPEGImage.h"

class TJpegMod : public TJPEGImage {
public:
  using TJPEGImage::Bitmap;
};
