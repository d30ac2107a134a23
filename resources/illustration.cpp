#include "resources/illustration.h"

namespace resources {

namespace {

const unsigned char kRecord[] = {
#include "resources/illustration_picture_data.bin.inc"
};

}  // namespace

std::string_view IllustrationPictureData() {
  return {reinterpret_cast<const char*>(kRecord), sizeof kRecord};
}

}  // namespace resources
