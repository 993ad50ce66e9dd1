// Registry helpers shared by the suite's programs (kivlib.dll).
//
// Each key, addressed by a backslash-separated path under HKEY_USERS, keeps
// one text in its default value. The helper object has no data: any
// instance will do. The DLL exports the three operations under the plain
// names createKey, setKey and readKey; the import library maps the members
// below onto those names, so callers just include this header and link.
#ifndef KIVORA_KIVLIB_H
#define KIVORA_KIVLIB_H

// Size of a text read back, terminator included (at most 63 characters).
const int kivlibTextSize = 64;

class kivlibKeys {
public:
    // Opens the key, creating it and every missing level, and stores text.
    // Returns 0 when the key was created or opened, written and closed;
    // otherwise the platform's status of the step that failed (nothing is
    // written when the key could not be created).
    int createKey(const char* path, const char* text);

    // Replaces the text of an existing key. Returns 1 when the key existed
    // and was written, 0 when it could not be opened (nothing is created)
    // or not written.
    int setKey(const char* path, const char* text);

    // Reads the text of a key into text (at least kivlibTextSize bytes).
    // Returns 1 when the key could be opened: text then holds its text, the
    // empty text when it has no default value. Returns 0 otherwise and
    // leaves text as it was.
    int readKey(const char* path, char* text);
};

#endif
