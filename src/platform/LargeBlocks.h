#pragma once
// The memory of large pictures and buffers: blocks in 2-megabyte pages. The blocks given back last are
// kept (a few, up to 512 MB) for the next blocks of about their size, so that a command that makes a new
// whole picture after another (a turn, a blur, a save) writes into memory already mapped: fresh memory
// is cleared by the system page by page when first touched, which costs more than the command's own
// pass over the pixels. When fresh memory cannot be had, the kept blocks are freed and it is asked again.
#include <cstddef>

namespace Platform::LargeBlocks {

// A block of at least `bytes`, its contents undefined; nullptr when the memory cannot be had.
void* Take(size_t bytes);
// Gives back a block from Take (nullptr is ignored); the oldest kept blocks beyond the limits are freed.
void Give(void* block);

}  // namespace Platform::LargeBlocks
