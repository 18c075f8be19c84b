#pragma once

namespace mv {

// Hands the allocator's free pages back to the system. glibc keeps what a closed window freed
// in its heap for later allocations, so without this a program that opened and closed many
// windows stays as large as it was with all of them open. Costs a walk over the heap: call it
// after a window is gone, not in a loop.
void ReturnFreedHeap();

} // namespace mv
