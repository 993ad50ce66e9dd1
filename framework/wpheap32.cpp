// The tracked heap: counted local blocks and the sub-heaps.
#include "wpapp.h"

void* WPApp::LocalNew(unsigned bytes) {
    HLOCAL handle = LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, bytes);
    void* block = handle ? LocalLock(handle) : nullptr;
    if (block) {
        local.count += 1;
        local.bytes += static_cast<int32_t>(LocalSize(handle));
    }
    return block;
}

void WPApp::LocalDelete(void* block) {
    // Deleting nothing is no free at all and leaves the count alone.
    if (!block) return;
    int32_t before = local.count;
    local.count -= 1;
    if (before <= 0) {
        WPError("Extra object freed!\nsegment: %x\toffset: %x.", static_cast<unsigned>(local.id),
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(block)));
        return;
    }
    HLOCAL handle = LocalHandle(block);
    int32_t size = static_cast<int32_t>(LocalSize(handle));
    LocalUnlock(handle);
    LocalFree(handle);
    local.bytes -= size;
}

namespace {

// A distinct nonzero 16-bit id for a new sub-heap: taken from its block's
// handle, stepped on while zero or already in use.
uint16_t NewSubHeapId(const WPSubHeap* heaps, void* memory) {
    uintptr_t h = reinterpret_cast<uintptr_t>(memory);
    uint16_t id = static_cast<uint16_t>((h >> 16) ^ h);
    for (;;) {
        bool used = id == 0;
        for (const WPSubHeap* s = heaps; s && !used; s = s->next) used = s->id == id;
        if (!used) return id;
        ++id;
    }
}

void ReleaseBlock(WPSubHeap* heap) {
    if (!heap->memory) return;
    GlobalUnlock(heap->memory);
    GlobalFree(heap->memory);
    heap->memory = nullptr;
    heap->base = nullptr;
}

}  // namespace

WPSubHeap* WPApp::AddSubHeap(unsigned hpsz) {
    WPSubHeap* heap = new WPSubHeap;
    unsigned short size = static_cast<unsigned short>(hpsz);
    WPCheck(size > 0, "hpsz > 0");
    SIZE_T blockSize = size > 8192 ? size : 8192;
    heap->memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
    heap->base = heap->memory ? GlobalLock(heap->memory) : nullptr;
    if (heap->base) heap->id = NewSubHeapId(subHeaps, heap->memory);
    if (heap->id == 0) {
        ReleaseBlock(heap);
        delete heap;
        return nullptr;
    }
    heap->next = subHeaps;
    subHeaps = heap;
    lastSubHeap = heap;
    return heap;
}

WPSubHeap* WPApp::FindSubHeap(unsigned short id) {
    if (lastSubHeap && lastSubHeap->id == id) return lastSubHeap;
    for (WPSubHeap* heap = subHeaps; heap; heap = heap->next) {
        if (heap->id == id) {
            lastSubHeap = heap;
            return heap;
        }
    }
    WPCheck(false, "FALSE");
    return nullptr;
}

void WPApp::RemoveSubHeap(WPSubHeap* heap) {
    WPSubHeap** link = &subHeaps;
    while (*link && *link != heap) link = &(*link)->next;
    // A sub-heap not in the list is not ours to free.
    if (!WPCheck(heap != nullptr && *link == heap, "h!=NULL")) return;
    *link = heap->next;
    if (lastSubHeap == heap) lastSubHeap = nullptr;
    ReleaseBlock(heap);
    delete heap;
}

WPOomHandler WPApp::SetOomHandler(WPOomHandler handler) {
    WPOomHandler previous = oomHandler;
    oomHandler = handler;
    return previous;
}

int WPApp::OnOutOfMemory(unsigned long size) {
    if (!oomHandler || oomDepth) return 0;
    ++oomDepth;
    int retry = oomHandler(static_cast<unsigned short>(size));
    --oomDepth;
    return retry;
}
