#include "platform/rules/item_id_list.h"

namespace platform {

uint16_t IdItemSize(const uint8_t* item) { return static_cast<uint16_t>(item[0] | item[1] << 8); }

const uint8_t* NextIdItem(const uint8_t* item) { return item ? item + IdItemSize(item) : nullptr; }

size_t IdListSize(const uint8_t* list) {
  if (!list) return 0;
  size_t size = 0;
  for (const uint8_t* item = list; IdItemSize(item) != 0; item = NextIdItem(item)) {
    size += IdItemSize(item);
  }
  return size + 2;
}

}  // namespace platform
