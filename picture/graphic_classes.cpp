#include "picture/graphic_classes.h"

#include "picture/jpeg_graphic.h"

namespace picture {

namespace {

std::unique_ptr<TDibGraphic> MakeJpegGraphic() { return std::make_unique<TJpegGraphic>(); }

// Made on first use with the program's own formats, so no start-up order or
// linker choice can leave them out.
std::vector<GraphicClass>& Registered() {
  static std::vector<GraphicClass> classes = [] {
    std::vector<GraphicClass> jpeg;
    for (const char* extension : {"JPEG", "JPG"}) {
      jpeg.push_back({extension, "JPEG", TJpegGraphic::kClassName, MakeJpegGraphic});
    }
    return jpeg;
  }();
  return classes;
}

}  // namespace

void RegisterGraphicClass(GraphicClass graphicClass) {
  auto& classes = Registered();
  classes.insert(classes.begin(), std::move(graphicClass));
}

const std::vector<GraphicClass>& GraphicClasses() { return Registered(); }

const GraphicClass* FindGraphicClass(const std::string& className) {
  for (const auto& graphicClass : Registered()) {
    if (graphicClass.className == className) return &graphicClass;
  }
  return nullptr;
}

}  // namespace picture
