// Each shipped file, as built, carries the suite's version resource: product
// name, its own description in Japanese and English, the build's version,
// its file name, and (programs only) the icon group "AppIcon".
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {

const char kJapaneseTable[] = "041103a4";
const char kEnglishTable[] = "040904b0";
const WORD kJapanese = 0x0411;
const WORD kShiftJis = 932;
const WORD kEnglishUs = 0x0409;
const WORD kUnicode = 1200;

struct ShippedFile {
    const char* name;
    const char* internalName;
    DWORD fileType;
    const char* descriptionJa;  // CP932 at run time, as VerQueryValueA hands it back
    const char* descriptionEn;
    bool hasIcon;
};

// Faults caught: a file without a resource, a script that copied another
// file's descriptions or names, a Japanese text stored in the wrong code
// page (it would come back as question marks), a DLL marked as a program.
const ShippedFile kShippedFiles[] = {
    {"lofter.exe", "lofter", VFT_APP, "ウィンドウの位置と大きさを決めてプログラムを起動するランチャー",
     "Window-placing launcher: starts a program, then moves, sizes and raises its window", true},
    {"volley.exe", "volley", VFT_APP, "レスポンスファイルに並べたプログラムや文書を順に開くバッチランチャー",
     "Batch launcher: opens the programs and documents of a response file one after the other", true},
    {"aubade.exe", "aubade", VFT_APP, "指定した時刻にプログラムを起動するタイマーランチャー",
     "Timed launcher: opens a program at a set clock time", true},
    {"nocturne.exe", "nocturne", VFT_APP,
     "指定した時刻に指定したキャプションのウィンドウのプログラムを終了させるタイマー",
     "Timed closer: ends the program whose window has a given caption at a set clock time", true},
    {"kivlib.dll", "kivlib", VFT_DLL, "Kivora のレジストリ補助ライブラリ（キーごとに一つのテキストを保存）",
     "Kivora registry helpers: one text kept per registry key", false},
};

// The files beside the test, or in the folder that KIVORA_RELEASE_DIR names
// (a Windows path), where `./dev dist-check` unpacks a release.
std::string ShippedPath(const char* fileName) {
    const char* release = getenv("KIVORA_RELEASE_DIR");
    if (release && *release) return std::string(release) + "\\" + fileName;
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + fileName;
}

class VersionBlock {
public:
    explicit VersionBlock(const std::string& path) {
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0) return;
        data_.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool Found() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    std::vector<WORD> Translations() {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &value, &length)) return {};
        const WORD* words = static_cast<const WORD*>(value);
        return std::vector<WORD>(words, words + length / sizeof(WORD));
    }

    // The text, or "(missing)" when the table or the value is not there.
    std::string Text(const char* table, const char* name) {
        std::string query = std::string("\\StringFileInfo\\") + table + "\\" + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), query.c_str(), &value, &length) || !value) return "(missing)";
        const char* text = static_cast<const char*>(value);
        const void* end = memchr(text, '\0', length);
        return end ? std::string(text, static_cast<const char*>(end)) : std::string(text, length);
    }

private:
    std::vector<char> data_;
};

class FileAsData {
public:
    explicit FileAsData(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~FileAsData() {
        if (module_) FreeLibrary(module_);
    }
    FileAsData(const FileAsData&) = delete;
    FileAsData& operator=(const FileAsData&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

TEST(VersionResources, EachShippedFileCarriesTheSuitesVersionResource) {
    const DWORD versionMs = MAKELONG(KIVORA_EXPECTED_VERSION_MINOR, KIVORA_EXPECTED_VERSION_MAJOR);
    const DWORD versionLs = MAKELONG(0, KIVORA_EXPECTED_VERSION_PATCH);
    for (const ShippedFile& file : kShippedFiles) {
        SCOPED_TRACE(file.name);
        VersionBlock block(ShippedPath(file.name));
        ASSERT_TRUE(block.Found()) << "no version resource";

        const VS_FIXEDFILEINFO* fixed = block.Fixed();
        ASSERT_NE(nullptr, fixed);
        EXPECT_EQ(versionMs, fixed->dwFileVersionMS);
        EXPECT_EQ(versionLs, fixed->dwFileVersionLS);
        EXPECT_EQ(versionMs, fixed->dwProductVersionMS);
        EXPECT_EQ(versionLs, fixed->dwProductVersionLS);
        EXPECT_EQ(file.fileType, fixed->dwFileType);

        const std::vector<WORD> translations = {kJapanese, kShiftJis, kEnglishUs, kUnicode};
        EXPECT_EQ(translations, block.Translations());

        for (const char* table : {kJapaneseTable, kEnglishTable}) {
            SCOPED_TRACE(table);
            EXPECT_EQ("Kivora", block.Text(table, "ProductName"));
            EXPECT_EQ(KIVORA_EXPECTED_VERSION, block.Text(table, "FileVersion"));
            EXPECT_EQ(KIVORA_EXPECTED_VERSION, block.Text(table, "ProductVersion"));
            EXPECT_EQ(file.name, block.Text(table, "OriginalFilename"));
            EXPECT_EQ(file.internalName, block.Text(table, "InternalName"));
        }
        EXPECT_EQ(file.descriptionJa, block.Text(kJapaneseTable, "FileDescription"));
        EXPECT_EQ(file.descriptionEn, block.Text(kEnglishTable, "FileDescription"));
        printf("%-12s %s %s: %s\n", ShippedPath(file.name).c_str(),
               block.Text(kEnglishTable, "ProductName").c_str(),
               block.Text(kEnglishTable, "FileVersion").c_str(),
               block.Text(kEnglishTable, "FileDescription").c_str());
    }
}

TEST(VersionResources, EachProgramCarriesItsIconGroup) {
    for (const ShippedFile& file : kShippedFiles) {
        SCOPED_TRACE(file.name);
        FileAsData module(ShippedPath(file.name));
        ASSERT_NE(nullptr, module.Get());
        bool found = FindResourceA(module.Get(), "AppIcon", RT_GROUP_ICON) != nullptr;
        EXPECT_EQ(file.hasIcon, found);
    }
}

}  // namespace
