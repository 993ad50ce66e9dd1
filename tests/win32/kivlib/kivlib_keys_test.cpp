// The registry helpers against the real registry of the Wine prefix. Every
// case works below a branch of its own, removed before and after.
#include <windows.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kivlib.h"
#include "registry_state.h"

namespace {

const char kBranch[] = ".Default\\Software\\Zorva\\KivlibTests";
const char kLevel[] = ".Default\\Software\\Zorva\\KivlibTests\\Level";
const char kLeaf[] = ".Default\\Software\\Zorva\\KivlibTests\\Level\\Leaf";

class KivlibKeys : public ::testing::Test {
protected:
    void SetUp() override { RemoveBranch(); }
    void TearDown() override { RemoveBranch(); }

    static void RemoveBranch() {
        DeleteKeyTree(kBranch);
        DeleteKeyIfEmpty(".Default\\Software\\Zorva");
    }

    // Reads into a 64-byte buffer inside a larger one whose tail must stay
    // untouched.
    int ReadGuarded(const char* path, const char* prepared = "") {
        memset(area, kGuard, sizeof area);
        strcpy(area, prepared);
        return keys.readKey(path, area);
    }
    bool GuardIntact() const {
        for (size_t i = kivlibTextSize; i < sizeof area; ++i) {
            if (static_cast<unsigned char>(area[i]) != kGuard) return false;
        }
        return true;
    }

    static const unsigned char kGuard = 0xCC;
    kivlibKeys keys;
    char area[kivlibTextSize + 32];
};

TEST_F(KivlibKeys, CreateKeyMakesEveryMissingLevel) {
    ASSERT_FALSE(KeyExists(kBranch));
    EXPECT_EQ(0, keys.createKey(kLeaf, "1000"));
    EXPECT_TRUE(KeyExists(kLevel));
    EXPECT_EQ("1000", StoredText(kLeaf));
}

TEST_F(KivlibKeys, CreateAndSetReplaceTheWholeTextOfAnExistingKey) {
    StoreText(kLeaf, "old text");
    EXPECT_EQ(0, keys.createKey(kLeaf, "2147483647"));
    EXPECT_EQ("2147483647", StoredText(kLeaf));
    EXPECT_EQ(1, keys.setKey(kLeaf, "-2147483648"));
    EXPECT_EQ("-2147483648", StoredText(kLeaf));

    // kLevel exists as a level, without a default value.
    EXPECT_EQ(1, keys.setKey(kLevel, "300"));
    EXPECT_EQ("300", StoredText(kLevel));
}

TEST_F(KivlibKeys, CreateKeyReportsAKeyThatCannotBeMade) {
    // Key names are limited to 255 characters.
    std::string tooLong = std::string(kBranch) + "\\" + std::string(300, 'k');
    EXPECT_NE(0, keys.createKey(tooLong.c_str(), "1"));
    EXPECT_FALSE(KeyExists(kBranch));
}

TEST_F(KivlibKeys, SetKeyNeverCreates) {
    EXPECT_EQ(0, keys.setKey(kLeaf, "1000"));
    EXPECT_FALSE(KeyExists(kBranch));

    MakeEmptyKey(kLevel);
    EXPECT_EQ(0, keys.setKey(kLeaf, "1000"));
    EXPECT_FALSE(KeyExists(kLeaf));
}

TEST_F(KivlibKeys, ARefusedWriteIsNoSuccess) {
    StoreText(kLeaf, "1000");
    MakeReadOnly(kLeaf);
    EXPECT_EQ(0, keys.setKey(kLeaf, "300"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, keys.createKey(kLeaf, "300"));
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_STREQ("1000", area);
}

TEST_F(KivlibKeys, ReadKeyOfAMissingKeyLeavesTheBufferAlone) {
    char buffer[kivlibTextSize];
    memset(buffer, 'x', sizeof buffer);
    strcpy(buffer, "1000");
    char before[kivlibTextSize];
    memcpy(before, buffer, sizeof buffer);

    EXPECT_EQ(0, keys.readKey(kLeaf, buffer));
    EXPECT_EQ(0, memcmp(before, buffer, sizeof buffer));

    MakeEmptyKey(kLevel);
    EXPECT_EQ(0, keys.readKey(kLeaf, buffer));
    EXPECT_EQ(0, memcmp(before, buffer, sizeof buffer));
}

TEST_F(KivlibKeys, ReadKeyOfAKeyWithoutDefaultValueGivesTheEmptyText) {
    MakeEmptyKey(kLeaf);
    EXPECT_EQ(1, ReadGuarded(kLeaf, "1000"));
    EXPECT_STREQ("", area);

    // A named value is not the key's text.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_USERS, kLeaf, &key));
    RegSetValueExA(key, "Named", 0, REG_SZ, reinterpret_cast<const BYTE*>("7"), 2);
    RegCloseKey(key);
    EXPECT_EQ(1, ReadGuarded(kLeaf, "1000"));
    EXPECT_STREQ("", area);
}

TEST_F(KivlibKeys, TextsRoundTrip) {
    ASSERT_EQ(0, keys.createKey(kLeaf, "1000"));
    EXPECT_EQ(1, ReadGuarded(kLeaf, "default"));
    EXPECT_STREQ("1000", area);

    // Shift-JIS survives the platform's conversions both ways.
    ASSERT_EQ(1, keys.setKey(kLeaf, "表示時間"));
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_STREQ("表示時間", area);

    ASSERT_EQ(1, keys.setKey(kLeaf, ""));
    EXPECT_EQ(1, ReadGuarded(kLeaf, "1000"));
    EXPECT_STREQ("", area);
}

// A resident caller reads and saves again and again: a key left open on any
// path would pile up handles. Freed handles are given out again, so keys
// opened after the calls get the same handles as keys opened before them.
TEST_F(KivlibKeys, EveryCallClosesItsKey) {
    const auto nextHandles = [] {
        std::vector<HKEY> opened(4);
        for (HKEY& key : opened) RegOpenKeyA(HKEY_USERS, ".Default", &key);
        for (HKEY key : opened) RegCloseKey(key);
        std::sort(opened.begin(), opened.end());
        return opened;
    };
    const std::vector<HKEY> before = nextHandles();
    keys.createKey(kLeaf, "1000");
    keys.setKey(kLeaf, "2000");
    ReadGuarded(kLeaf);
    EXPECT_EQ(before, nextHandles());
}

TEST_F(KivlibKeys, ReadKeyFillsAtMostSixtyFourBytes) {
    std::string longest(63, '7');
    StoreText(kLeaf, longest.c_str());
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_EQ(longest, area);
    EXPECT_TRUE(GuardIntact());

    // Longer texts give their first 63 bytes.
    std::string digits(200, '0');
    digits[0] = '9';
    StoreText(kLeaf, digits.c_str());
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_EQ(digits.substr(0, 63), area);
    EXPECT_TRUE(GuardIntact());

    std::string exact(64, '5');
    StoreText(kLeaf, exact.c_str());
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_EQ(exact.substr(0, 63), area);
    EXPECT_TRUE(GuardIntact());
}

TEST_F(KivlibKeys, ALongTextIsNeverCutInsideADoubleByteCharacter) {
    // 62 single bytes, then 表 (two bytes) straddling the 63-byte limit.
    std::string text = std::string(62, 'a') + "表" + "tail";
    StoreText(kLeaf, text.c_str());
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_EQ(std::string(62, 'a'), area);
    EXPECT_TRUE(GuardIntact());
}

TEST_F(KivlibKeys, ATextStoredWithoutTerminatorEndsWithItsBytes) {
    // The platform adds a forgotten terminator when a zero byte follows the
    // given ones; a byte other than zero there keeps the value unterminated.
    StoreBytes(kLeaf, "1234x", 4);
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_STREQ("1234", area);

    // Filling the buffer exactly: 62 single bytes, then 表 straddling the
    // 63-byte limit.
    std::string text = std::string(62, 'a') + "表" + "x";
    StoreBytes(kLeaf, text.data(), 64);
    EXPECT_EQ(1, ReadGuarded(kLeaf));
    EXPECT_EQ(std::string(62, 'a'), area);
    EXPECT_TRUE(GuardIntact());
}

TEST_F(KivlibKeys, MissingArgumentsAreRefused) {
    // An empty path would address HKEY_USERS itself.
    EXPECT_NE(0, keys.createKey("", "1"));
    EXPECT_NE(0, keys.createKey(nullptr, "1"));
    EXPECT_NE(0, keys.createKey(kLeaf, nullptr));
    EXPECT_FALSE(KeyExists(kLeaf));
    char buffer[kivlibTextSize] = "keep";
    EXPECT_EQ(0, keys.readKey("", buffer));
    EXPECT_EQ(0, keys.readKey(nullptr, buffer));
    EXPECT_STREQ("keep", buffer);
    EXPECT_EQ(0, keys.setKey("", "1"));
    EXPECT_EQ(0, keys.setKey(nullptr, "1"));
    EXPECT_EQ(0, keys.setKey(kLeaf, nullptr));

    char root[kivlibTextSize] = "";
    LONG size = sizeof root;
    RegQueryValueA(HKEY_USERS, nullptr, root, &size);
    EXPECT_STRNE("1", root);
}

}  // namespace
