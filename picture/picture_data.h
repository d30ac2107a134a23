// A picture stored with the window's layout, the "Picture.Data" record: one
// byte with the length of the graphic class name, the name (8-bit
// characters, no terminator), then the graphic's own stream.
#pragma once

#include <memory>

#include "picture/dib_graphic.h"
#include "picture/stream.h"

namespace picture {

// Reads a record: the registered class of the stored name loads the rest of
// the stream. Null (an empty picture, no error) when no registered class
// has that name; EReadError "Stream read error" when the name is cut short;
// the graphic's own errors as they come.
std::unique_ptr<TDibGraphic> ReadPictureData(Stream& stream);

// Writes the record for a graphic.
void WritePictureData(const TDibGraphic& graphic, Stream& stream);

}  // namespace picture
