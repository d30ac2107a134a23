// The picture formats the program knows, by file extension and class name.
// The JPEG format is registered before the first look-up ("JPG" and "JPEG",
// both described as "JPEG"); the most recently registered is tried first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "picture/dib_graphic.h"

namespace picture {

struct GraphicClass {
  std::string extension;    // without the dot: "JPG"
  std::string description;  // "JPEG"
  std::string className;    // "TJpegGraphic"
  std::unique_ptr<TDibGraphic> (*make)();
};

void RegisterGraphicClass(GraphicClass graphicClass);

// Most recently registered first.
const std::vector<GraphicClass>& GraphicClasses();

// The class whose name equals `className` exactly (case-sensitive); null
// when none has it.
const GraphicClass* FindGraphicClass(const std::string& className);

}  // namespace picture
