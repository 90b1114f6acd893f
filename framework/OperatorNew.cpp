// The allocation operators of every deliverable, straight on the C runtime's heap. The C++ runtime's own
// versions report failure by exception, and linking them brings in its exception, locale and thread
// support (a large share of each file, and imports that Windows 95 lacks). The deliverables are built
// without exceptions and with -fcheck-new: a failed allocation is a null pointer, and no constructor runs
// on it.
#include <new>
#include <stdlib.h>

void* operator new(size_t size) { return malloc(size ? size : 1); }
void* operator new[](size_t size) { return malloc(size ? size : 1); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }
