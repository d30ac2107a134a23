// JPEG streams for the picture tests, made at run time with libjpeg.
#pragma once

#include <string>

#include "picture/dib_graphic.h"

namespace testing_support {

// A colourful (or gray) gradient with some edges, at 72 dots per inch.
toolkit::DibImage TestImage(int width, int height, picture::PixelFormat format);
// The image as a baseline JFIF JPEG (our encoder, quality 75).
std::string EncodeJpeg(const toolkit::DibImage& image);
// A four-component (CMYK) JPEG.
std::string CmykJpeg(int width, int height);
// "256 shades of gray" or "True color".
std::string FormatName(const toolkit::DibImage& image);
// The JPEG stored in the illustration's picture record.
std::string IllustrationJpeg();

}  // namespace testing_support
