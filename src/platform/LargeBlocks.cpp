#include "platform/LargeBlocks.h"

#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace Platform::LargeBlocks {

namespace {

constexpr size_t kHuge = size_t(2) << 20;

// At most this many blocks given back are kept, of at most this many bytes together (a whole picture
// and the smaller ones made with it, as the blur's half-size copies): the oldest goes first.
constexpr size_t kSpares = 4;
constexpr size_t kSpareBytes = size_t(512) << 20;

struct Blocks {
  std::mutex lock;
  std::unordered_map<void*, size_t> sizes;  // every block handed out or kept: its size
  std::vector<void*> spares;                // the blocks given back and kept, oldest first
  size_t spareBytes = 0;
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
  {
    const std::lock_guard<std::mutex> hold(b.lock);
    // The smallest kept block of the size or up to half smaller.
    size_t best = b.spares.size();
    for (size_t i = 0; i < b.spares.size(); ++i) {
      const size_t s = b.sizes[b.spares[i]];
      if (s >= size && s / 2 <= size && (best == b.spares.size() || s < b.sizes[b.spares[best]])) best = i;
    }
    if (best < b.spares.size()) {
      void* block = b.spares[best];
      b.spares.erase(b.spares.begin() + std::ptrdiff_t(best));
      b.spareBytes -= b.sizes[block];
      return block;
    }
  }
  void* data = Fresh(size);
  if (!data) {
    // Without the kept blocks the memory may be there.
    std::vector<void*> stale;
    {
      const std::lock_guard<std::mutex> hold(b.lock);
      stale.swap(b.spares);
      for (void* s : stale) b.sizes.erase(s);
      b.spareBytes = 0;
    }
    for (void* s : stale) std::free(s);
    data = Fresh(size);
    if (!data) return nullptr;
  }
  const std::lock_guard<std::mutex> hold(b.lock);
  b.sizes[data] = size;
  return data;
}

void Give(void* block) {
  if (!block) return;
  Blocks& b = State();
  std::vector<void*> stale;
  {
    const std::lock_guard<std::mutex> hold(b.lock);
    b.spares.push_back(block);
    b.spareBytes += b.sizes[block];
    while (b.spares.size() > kSpares || b.spareBytes > kSpareBytes) {
      void* oldest = b.spares.front();
      b.spares.erase(b.spares.begin());
      b.spareBytes -= b.sizes[oldest];
      b.sizes.erase(oldest);
      stale.push_back(oldest);
    }
  }
  for (void* s : stale) std::free(s);
}

}  // namespace Platform::LargeBlocks
