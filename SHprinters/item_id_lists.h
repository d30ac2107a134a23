// Byte operations on item-id lists (layout in platform/rules/item_id_list.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "SHprinters/task_memory.h"
#include "platform/rules/item_id_list.h"

namespace shprinters {

using platform::IdListSize;
using platform::NextIdItem;

// A zero-filled block of size bytes from the allocator, or none (also for no
// allocator).
TaskMemory AllocZeroed(platform::ShellAllocator* allocator, size_t size);

// A new list with the parent's item ids (parent may be null) followed by the
// child's and its terminator; none when the allocation fails or there is no
// child.
TaskMemory ConcatIdLists(platform::ShellAllocator* allocator, const uint8_t* parent,
                         const uint8_t* child);

}  // namespace shprinters
