// The three registry helpers. Each call opens, uses and closes its key;
// nothing is kept between calls and nothing allocated crosses back.
#include "kivlib.h"

#include <windows.h>

#include "default_text.h"

namespace {

// An empty path would address HKEY_USERS itself, whose default value is
// no key of ours: such calls are refused like a key that cannot be opened.
bool IsKeyPath(const char* path) {
    return path && path[0] != '\0';
}

// Stores text as the key's default value. The platform measures a REG_SZ
// text itself; we pass the true size anyway so that a store honouring the
// argument keeps the whole text rather than its first few bytes.
LONG StoreDefaultText(HKEY key, const char* text) {
    return RegSetValueA(key, nullptr, REG_SZ, text, lstrlenA(text) + 1);
}

}  // namespace

int kivlibKeys::createKey(const char* path, const char* text) {
    if (!IsKeyPath(path) || !text) return ERROR_INVALID_PARAMETER;
    HKEY key;
    LONG status = RegCreateKeyA(HKEY_USERS, path, &key);
    // Without a key there is nothing to write or close; its status says why.
    if (status != ERROR_SUCCESS) return status;
    // A text that could not be written is no success, however the key closes.
    LONG written = StoreDefaultText(key, text);
    LONG closed = RegCloseKey(key);
    return written != ERROR_SUCCESS ? written : closed;
}

int kivlibKeys::setKey(const char* path, const char* text) {
    if (!IsKeyPath(path) || !text) return 0;
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, path, &key) != ERROR_SUCCESS) return 0;
    // Reporting a failed write as 0 too sends the caller on to createKey,
    // which tries once more and reports the platform's reason.
    LONG written = StoreDefaultText(key, text);
    RegCloseKey(key);
    return written == ERROR_SUCCESS ? 1 : 0;
}

int kivlibKeys::readKey(const char* path, char* text) {
    if (!IsKeyPath(path) || !text) return 0;
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, path, &key) != ERROR_SUCCESS) return 0;
    ReadDefaultText(key, text);
    RegCloseKey(key);
    return 1;
}
