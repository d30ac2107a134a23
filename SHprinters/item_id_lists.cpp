#include "SHprinters/item_id_lists.h"

#include <cstring>

namespace shprinters {

TaskMemory AllocZeroed(platform::ShellAllocator* allocator, size_t size) {
  if (!allocator) return {};
  TaskMemory block(allocator, allocator->Alloc(size));
  if (block) std::memset(block.Get(), 0, size);
  return block;
}

TaskMemory ConcatIdLists(platform::ShellAllocator* allocator, const uint8_t* parent,
                         const uint8_t* child) {
  if (!child) return {};
  size_t parentBytes = parent ? IdListSize(parent) - 2 : 0;
  size_t childBytes = IdListSize(child);
  TaskMemory list = AllocZeroed(allocator, parentBytes + childBytes);
  if (!list) return {};
  if (parentBytes) std::memcpy(list.Get(), parent, parentBytes);
  std::memcpy(list.Get() + parentBytes, child, childBytes);
  return list;
}

}  // namespace shprinters
