#include "platform/LargeBlocks.h"

#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace Platform::LargeBlocks {

namespace {

constexpr size_t kHuge = size_t(2) << 20;

struct Blocks {
  std::mutex lock;
  std::unordered_map<void*, size_t> sizes;  // every block handed out and the spare: its size
  void* spare = nullptr;                    // the block given back last, kept
};

Blocks& State() {
  static Blocks* blocks = new Blocks;  // never destroyed: blocks may be given back at exit
  return *blocks;
}

void* Fresh(size_t size) {
  void* data = nullptr;
  if (posix_memalign(&data, kHuge, size) != 0 || !data) return nullptr;
  madvise(data, size, MADV_HUGEPAGE);
  return data;
}

}  // namespace

void* Take(size_t bytes) {
  const size_t size = (bytes + kHuge - 1) / kHuge * kHuge;
  Blocks& b = State();
  void* stale = nullptr;
  {
    const std::lock_guard<std::mutex> hold(b.lock);
    if (b.spare) {
      // The spare serves a block of its size or up to half smaller; otherwise it is freed first, so that
      // keeping it never raises what the program holds.
      const size_t spareSize = b.sizes[b.spare];
      void* spare = b.spare;
      b.spare = nullptr;
      if (spareSize >= size && spareSize / 2 <= size) return spare;
      b.sizes.erase(spare);
      stale = spare;
    }
  }
  std::free(stale);
  void* data = Fresh(size);
  if (!data) return nullptr;
  const std::lock_guard<std::mutex> hold(b.lock);
  b.sizes[data] = size;
  return data;
}

void Give(void* block) {
  if (!block) return;
  Blocks& b = State();
  void* stale = nullptr;
  {
    const std::lock_guard<std::mutex> hold(b.lock);
    if (b.spare) {
      stale = b.spare;
      b.sizes.erase(stale);
    }
    b.spare = block;
  }
  std::free(stale);
}

}  // namespace Platform::LargeBlocks
