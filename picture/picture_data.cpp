#include "picture/picture_data.h"

#include <cstring>
#include <string>

#include "picture/graphic_classes.h"

namespace picture {

std::unique_ptr<TDibGraphic> ReadPictureData(Stream& stream) {
  uint8_t length = 0;
  stream.ReadBuffer(&length, 1);
  std::string className(length, '\0');
  stream.ReadBuffer(className.data(), length);
  const GraphicClass* graphicClass = FindGraphicClass(className);
  if (!graphicClass) return nullptr;
  std::unique_ptr<TDibGraphic> graphic = graphicClass->make();
  graphic->LoadFromStream(stream);
  return graphic;
}

void WritePictureData(const TDibGraphic& graphic, Stream& stream) {
  const char* className = graphic.ClassName();
  uint8_t length = static_cast<uint8_t>(std::strlen(className));
  stream.Write(&length, 1);
  stream.Write(className, length);
  graphic.SaveToStream(stream);
}

}  // namespace picture
