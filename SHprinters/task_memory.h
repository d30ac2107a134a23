// A block of the shell's task allocator, freed with that allocator when its
// owner dies. The allocator must outlive the owner.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/shell_namespace.h"

namespace shprinters {

class TaskMemory {
 public:
  TaskMemory() = default;
  // Takes the block (null for none).
  TaskMemory(platform::ShellAllocator* allocator, void* block)
      : allocator_(allocator), block_(static_cast<uint8_t*>(block)) {}
  ~TaskMemory() { Reset(); }
  TaskMemory(TaskMemory&& other) noexcept
      : allocator_(other.allocator_), block_(std::exchange(other.block_, nullptr)) {}
  TaskMemory& operator=(TaskMemory&& other) noexcept {
    if (this != &other) {
      Reset();
      allocator_ = other.allocator_;
      block_ = std::exchange(other.block_, nullptr);
    }
    return *this;
  }
  TaskMemory(const TaskMemory&) = delete;
  TaskMemory& operator=(const TaskMemory&) = delete;

  uint8_t* Get() const { return block_; }
  explicit operator bool() const { return block_ != nullptr; }

 private:
  void Reset() {
    if (block_) allocator_->Free(std::exchange(block_, nullptr));
  }
  platform::ShellAllocator* allocator_ = nullptr;
  uint8_t* block_ = nullptr;
};

}  // namespace shprinters
