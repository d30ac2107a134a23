// JPEG pictures: decoded with libjpeg into a "256 shades of gray" or
// "True color" image; encoded from those two formats only.
#pragma once

#include <functional>

#include "picture/dib_graphic.h"
#include "picture/jpeg_error.h"

namespace picture {

class TJpegGraphic : public TDibGraphic {
 public:
  static constexpr const char* kClassName = "TJpegGraphic";

  const char* ClassName() const override { return kClassName; }

  // Decodes one JPEG image from the stream's position. Errors raise EJPEG
  // with libjpeg's message and leave the graphic as it was; warnings (such as
  // a stream that ends early) only count. A density of 0 or an unknown
  // density unit gives the screen's resolution.
  void LoadFromStream(Stream& stream) override;
  // Baseline JFIF at Quality(), with the image's resolution in dots per
  // inch. Other formats than the two above: EJPEG "JPEG image must be gray
  // scale or true color".
  void SaveToStream(Stream& stream) const override;

  // libjpeg's warnings during the last load.
  int WarningCount() const { return warnings_; }

  // Told the per cent done (0 to 100) while a load runs.
  void SetProgressObserver(std::function<void(int percent)> observer) {
    progress_ = std::move(observer);
  }

  int Quality() const { return quality_; }
  void SetQuality(int quality) { quality_ = quality; }

 private:
  void Progress(int percent) const {
    if (progress_) progress_(percent);
  }

  int warnings_ = 0;
  int quality_ = 75;
  std::function<void(int)> progress_;
};

}  // namespace picture
