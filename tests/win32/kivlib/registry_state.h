// Direct registry access for the tests: setting up and inspecting keys
// under HKEY_USERS without going through the helpers under test.
#ifndef KIVORA_TESTS_REGISTRY_STATE_H
#define KIVORA_TESTS_REGISTRY_STATE_H

#include <string>

// Deletes the key at path with everything below it; a missing key is fine.
void DeleteKeyTree(const char* path);

// Deletes the key at path only when it has no sub-keys left.
void DeleteKeyIfEmpty(const char* path);

bool KeyExists(const char* path);

// Creates the key (with its levels) holding no default value.
void MakeEmptyKey(const char* path);

// Creates the key and stores text as its default value.
void StoreText(const char* path, const char* text);

// Creates the key and stores size bytes as its default text, as they are
// (no terminator is added).
void StoreBytes(const char* path, const char* bytes, int size);

// Lets everybody read the key at path and nobody write its values.
void MakeReadOnly(const char* path);

// Creates the key at path, and its missing levels, as volatile: the platform
// then refuses a lasting key below it, as Windows refuses a standard user
// the default profile.
void MakeVolatileKey(const char* path);

// path (".Default\...") with the current user's SID in place of its first
// level: the same key in the branch that HKEY_CURRENT_USER stands for.
std::string InUserBranch(const char* path);

// The whole default value of the key at path ("<missing key>" when the key
// does not exist, "<no value>" when it has no default value).
std::string StoredText(const char* path);

#endif
