// Tuning of the C library's allocator for an editor that holds pages of many megabytes.
#pragma once

// Blocks of a megabyte or more are mapped from the system on their own: growing one (the text of
// a page as it loads) never copies it, and freeing one gives the memory back at once. Without
// this, the C library raises that limit to the size of the largest block freed so far (up to
// 32 MB), after which growing the text copies tens of megabytes at a time.
void tuneAllocatorForLargePages();
