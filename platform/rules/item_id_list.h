// Item-id lists as bytes. A list is a run of item ids ended by a 16-bit
// zero; each item id starts with its size cb, an unsigned 16-bit
// little-endian count that includes the two bytes of cb itself. What lies
// inside an item id only the shell reads.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The cb of the item id (read byte by byte: item ids need not be aligned).
uint16_t IdItemSize(const uint8_t* item);

// The item id that follows item, or null when given null.
const uint8_t* NextIdItem(const uint8_t* item);

// The list's size in bytes, its 2-byte terminator included; 0 for null.
size_t IdListSize(const uint8_t* list);

}  // namespace platform
