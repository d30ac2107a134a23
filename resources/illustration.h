// The illustration of the page "Batch converter": a file list with two
// selected documents and an open context menu whose highlighted entry
// converts them to PDF, the mouse pointer on it. 140 x 89 pixels, a baseline
// JFIF JPEG at 72 dots per inch, kept as the picture box's "Picture.Data"
// record (12, "TJpegGraphic", the JPEG). scripts/draw-illustration.sh makes
// resources/illustration_picture_data.bin; the build embeds it.
#pragma once

#include <string_view>

namespace resources {

std::string_view IllustrationPictureData();

}  // namespace resources
