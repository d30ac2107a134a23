// The picture formats the program knows, by file extension and class name:
// JPEG, as "JPG" and "JPEG", both described as "JPEG".
#pragma once

#include <memory>
#include <string>

#include "picture/dib_graphic.h"

namespace picture {

struct GraphicClass {
  std::string extension;    // without the dot: "JPG"
  std::string description;  // "JPEG"
  std::string className;    // "TJpegGraphic"
  std::unique_ptr<TDibGraphic> (*make)();
};

// The class whose name equals `className` exactly (case-sensitive); null
// when none has it.
const GraphicClass* FindGraphicClass(const std::string& className);

}  // namespace picture
