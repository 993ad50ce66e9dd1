// Modules: resources of the program or of a loaded library.
#include "wpapp.h"

#include <string.h>

HRSRC WPModule::FindRes(const char* resName, const char* type) const {
    return FindResourceA(hinst, resName, type);
}

DWORD WPModule::LoadResData(const char* resName, const char* type, void* dest,
                            DWORD maxLen) const {
    HRSRC res = FindRes(resName, type);
    if (!res) return 0;
    DWORD size = SizeofResource(hinst, res);
    HGLOBAL loaded = LoadResource(hinst, res);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return 0;
    if (dest) memcpy(dest, data, size < maxLen ? size : maxLen);
    FreeResource(loaded);
    return size;
}

HICON WPModule::LoadIcon(const char* iconName) const {
    if (IS_INTRESOURCE(iconName)) return ::LoadIconA(nullptr, iconName);
    return ::LoadIconA(hinst, iconName);
}

WPLibrary::WPLibrary(const char* fileName) {
    hinst = LoadLibraryA(fileName);
    if (!hinst) {
        // The load returns no handle on failure; its error code is what
        // tells the user why.
        WPError("Error %d loading library %s", static_cast<int>(GetLastError()), fileName);
    }
}
