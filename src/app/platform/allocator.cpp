#include "platform/allocator.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void tuneAllocatorForLargePages() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}
