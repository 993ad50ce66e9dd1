#include "registry_state.h"

#include <windows.h>
#include <sddl.h>

#include <string.h>

#include <vector>

#include <gtest/gtest.h>

void DeleteKeyTree(const char* path) {
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, path, &key) != ERROR_SUCCESS) return;
    char child[MAX_PATH];
    // Always take the first child: deleting shifts the indices.
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
        DeleteKeyTree((std::string(path) + "\\" + child).c_str());
    }
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_USERS, path)) << path;
}

void DeleteKeyIfEmpty(const char* path) {
    // The platform refuses to delete a key that still has sub-keys.
    RegDeleteKeyA(HKEY_USERS, path);
}

bool KeyExists(const char* path) {
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, path, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void MakeEmptyKey(const char* path) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_USERS, path, &key)) << path;
    RegCloseKey(key);
}

void StoreBytes(const char* path, const char* bytes, int size) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_USERS, path, &key)) << path;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, nullptr, 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(bytes), size));
    RegCloseKey(key);
}

void StoreText(const char* path, const char* text) {
    StoreBytes(path, text, lstrlenA(text) + 1);
}

void MakeReadOnly(const char* path) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    alignas(DWORD) char aclSpace[128];
    PACL acl = reinterpret_cast<PACL>(aclSpace);
    InitializeAcl(acl, sizeof aclSpace, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_USERS, path, &key)) << path;
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor));
    RegCloseKey(key);
    FreeSid(everyone);
}

void MakeVolatileKey(const char* path) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_USERS, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
                                             nullptr, &key, nullptr))
        << path;
    RegCloseKey(key);
}

std::string InUserBranch(const char* path) {
    HANDLE token;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    std::vector<BYTE> info(512);
    DWORD size;
    EXPECT_TRUE(GetTokenInformation(token, TokenUser, info.data(), info.size(), &size));
    CloseHandle(token);
    char* sid = nullptr;
    EXPECT_TRUE(ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid, &sid));
    std::string key = std::string(sid ? sid : "?") + strchr(path, '\\');
    LocalFree(sid);
    return key;
}

std::string StoredText(const char* path) {
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, path, &key) != ERROR_SUCCESS) return "<missing key>";
    DWORD type = 0, size = 0;
    std::string result = "<no value>";
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size + 1, '\0');
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        result = data.data();
    }
    RegCloseKey(key);
    return result;
}
