// The suite's own global new and delete: the runtime heap, as the library's
// are, but an allocation that cannot be met ends the process instead of
// throwing. Nothing in the suite catches std::bad_alloc, so the end is the
// one an uncaught throw reaches; the library's versions would link the whole
// exception machinery (unwinder, terminate handler, demangler) into every
// program for that one path.
#include <new>

#include <stdlib.h>

namespace {

// Standard allocation: the new handler may free memory and ask for a retry.
void* Allocate(size_t size) {
    if (size == 0) size = 1;
    for (;;) {
        if (void* block = malloc(size)) return block;
        std::new_handler handler = std::get_new_handler();
        if (!handler) return nullptr;
        handler();
    }
}

void* AllocateOrEnd(size_t size) {
    void* block = Allocate(size);
    if (!block) abort();
    return block;
}

}  // namespace

void* operator new(size_t size) { return AllocateOrEnd(size); }
void* operator new[](size_t size) { return AllocateOrEnd(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }
