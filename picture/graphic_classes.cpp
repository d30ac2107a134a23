#include "picture/graphic_classes.h"

#include <vector>

#include "picture/jpeg_graphic.h"

namespace picture {

namespace {

std::unique_ptr<TDibGraphic> MakeJpegGraphic() { return std::make_unique<TJpegGraphic>(); }

const std::vector<GraphicClass>& Classes() {
  static const std::vector<GraphicClass> classes = {
      {"JPEG", "JPEG", TJpegGraphic::kClassName, MakeJpegGraphic},
      {"JPG", "JPEG", TJpegGraphic::kClassName, MakeJpegGraphic},
  };
  return classes;
}

}  // namespace

const GraphicClass* FindGraphicClass(const std::string& className) {
  for (const auto& graphicClass : Classes()) {
    if (graphicClass.className == className) return &graphicClass;
  }
  return nullptr;
}

}  // namespace picture
