// The item-id list helpers over lists built from the input: sizes add up,
// the walk visits every item id, and the concatenation holds the parent's
// item ids, then the child's, then one terminator. Each list lies in a block
// of exactly its size, so a read or write past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "SHprinters/item_id_lists.h"
#include "fuzz/check.h"

namespace {

// Blocks of exactly the size asked for; fails when told to.
class MallocAllocator : public platform::ShellAllocator {
 public:
  explicit MallocAllocator(bool fails) : fails_(fails) {}
  void* Alloc(size_t size) override { return fails_ ? nullptr : std::malloc(size); }
  void Free(void* block) override { std::free(block); }

 private:
  bool fails_;
};

// Reads the input from the front; 0 once it is used up.
struct Input {
  const uint8_t* data;
  size_t size;
  uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
};

// Item ids of up to 65,535 bytes (cb included): a byte for the number of
// ids, then per id two bytes of size and its content, all from the input
// (zeros once it is used up).
std::vector<std::vector<uint8_t>> ReadItems(Input& in) {
  std::vector<std::vector<uint8_t>> items(in.Byte() % 8);
  for (auto& item : items) {
    const size_t low = in.Byte(), high = in.Byte();
    const size_t size = 2 + (low | high << 8) % 65534;
    item.resize(size);
    item[0] = static_cast<uint8_t>(size);
    item[1] = static_cast<uint8_t>(size >> 8);
    for (size_t i = 2; i < size && in.size > 0; ++i) item[i] = in.Byte();
  }
  return items;
}

std::vector<uint8_t> Bytes(const std::vector<std::vector<uint8_t>>& items) {
  std::vector<uint8_t> bytes;
  for (const auto& item : items) bytes.insert(bytes.end(), item.begin(), item.end());
  return bytes;
}

// The list in a block of its own size, terminator included.
uint8_t* NewList(const std::vector<uint8_t>& itemBytes) {
  auto* list = static_cast<uint8_t*>(std::malloc(itemBytes.size() + 2));
  if (!itemBytes.empty()) std::memcpy(list, itemBytes.data(), itemBytes.size());
  list[itemBytes.size()] = list[itemBytes.size() + 1] = 0;
  return list;
}

void CheckWalk(const uint8_t* list, const std::vector<std::vector<uint8_t>>& items) {
  const uint8_t* item = list;
  for (const auto& expected : items) {
    FUZZ_CHECK(platform::IdItemSize(item) == expected.size());
    item = shprinters::NextIdItem(item);
  }
  FUZZ_CHECK(platform::IdItemSize(item) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  const uint8_t flags = in.Byte();
  const auto parentItems = ReadItems(in);
  const auto childItems = ReadItems(in);
  const std::vector<uint8_t> parentBytes = Bytes(parentItems), childBytes = Bytes(childItems);
  uint8_t* parent = NewList(parentBytes);
  uint8_t* child = NewList(childBytes);

  FUZZ_CHECK(shprinters::IdListSize(parent) == parentBytes.size() + 2);
  FUZZ_CHECK(shprinters::IdListSize(child) == childBytes.size() + 2);
  FUZZ_CHECK(shprinters::IdListSize(nullptr) == 0);
  FUZZ_CHECK(shprinters::NextIdItem(nullptr) == nullptr);
  CheckWalk(parent, parentItems);
  CheckWalk(child, childItems);

  const bool withParent = flags & 1, allocationFails = flags & 2;
  MallocAllocator allocator(allocationFails);
  shprinters::TaskMemory joined =
      shprinters::ConcatIdLists(&allocator, withParent ? parent : nullptr, child);
  if (allocationFails) {
    FUZZ_CHECK(!joined);
  } else {
    FUZZ_CHECK(joined);
    std::vector<uint8_t> expected = withParent ? parentBytes : std::vector<uint8_t>();
    expected.insert(expected.end(), childBytes.begin(), childBytes.end());
    expected.push_back(0);
    expected.push_back(0);
    FUZZ_CHECK(shprinters::IdListSize(joined.Get()) == expected.size());
    FUZZ_CHECK(std::memcmp(joined.Get(), expected.data(), expected.size()) == 0);
    auto items = withParent ? parentItems : std::vector<std::vector<uint8_t>>();
    items.insert(items.end(), childItems.begin(), childItems.end());
    CheckWalk(joined.Get(), items);
  }
  FUZZ_CHECK(!shprinters::ConcatIdLists(&allocator, parent, nullptr));
  std::free(parent);
  std::free(child);
  return 0;
}
