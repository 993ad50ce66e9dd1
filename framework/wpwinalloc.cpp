// Allocation of window objects, kept apart from the destructors: delete
// checks the deletable flag of an object whose destructor has just run, and
// that read must not be folded into the destructor's code.
#include "wpwin.h"

#include "wpapp.h"

#include <stdlib.h>

void* WPWin::operator new(size_t size) {
    for (;;) {
        void* block = reinterpret_cast<void*>(LocalAlloc(LMEM_FIXED, size));
        if (block) {
            lastNew = block;
            return block;
        }
        // Nothing catches an allocation failure: the end an uncaught
        // std::bad_alloc would reach, without the exception machinery.
        if (!wpApp.OnOutOfMemory(size)) abort();
    }
}

void WPWin::operator delete(void* ptr) {
    if (!ptr) return;
    // An object that was not made with new is not a local block: after OK
    // it is left alone rather than handed to LocalFree.
    if (!WPCheck(static_cast<volatile WPWin*>(static_cast<WPWin*>(ptr))->deletable != 0,
                 "((WPWin*)ptr)->deletable"))
        return;
    LocalFree(reinterpret_cast<HLOCAL>(ptr));
}
