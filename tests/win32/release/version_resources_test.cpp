// Each shipped file, as built, carries the suite's version resource: product
// name, its own description in Japanese and English, the build's version,
// its file name, and (programs only) the icon group "AppIcon" and the
// application manifest.
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
    bool isProgram;  // programs carry an icon group and a manifest
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
        EXPECT_EQ(file.isProgram, found);
    }
}

// The activation context that the loader builds from a file's manifest
// (resource 1 of type 24): the platform's own parser reads it.
class ManifestContext {
public:
    explicit ManifestContext(const std::string& path) {
        std::wstring widePath(path.begin(), path.end());
        ACTCTXW request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = widePath.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        context_ = CreateActCtxW(&request);
    }
    ~ManifestContext() {
        if (Parsed()) ReleaseActCtx(context_);
    }
    ManifestContext(const ManifestContext&) = delete;
    ManifestContext& operator=(const ManifestContext&) = delete;
    bool Parsed() const { return context_ != INVALID_HANDLE_VALUE; }

    std::wstring DpiAware() const {
        wchar_t value[64] = L"";
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context_, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                  L"dpiAware", value, ARRAYSIZE(value), &written))
            return L"(missing)";
        return value;
    }

    ACTCTX_REQUESTED_RUN_LEVEL RunLevel() const {
        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
        if (!QueryActCtxW(0, context_, nullptr, RunlevelInformationInActivationContext, &level, sizeof level,
                          nullptr))
            return ACTCTX_RUN_LEVEL_UNSPECIFIED;
        return level.RunLevel;
    }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

// The manifest's text as stored, for what the context reports only in
// records that differ between header versions.
std::string ManifestText(const FileAsData& module) {
    HRSRC found = FindResourceA(module.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found ? LoadResource(module.Get(), found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return text ? std::string(text, SizeofResource(module.Get(), found)) : std::string();
}

// Faults caught: a program whose script lost the manifest, or a DLL that
// gained one; XML the loader refuses (the program would not start at all on
// Windows); a DPI setting in the wrong namespace or with another value (the
// system would scale the placements); a run level that asks for elevation;
// a missing or mistyped system entry (that system would apply its shims); a
// dependency on the version 6 common controls (another look of the dialogs).
TEST(VersionResources, EachProgramCarriesTheSuitesManifest) {
    const char* const systems[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const ShippedFile& file : kShippedFiles) {
        SCOPED_TRACE(file.name);
        FileAsData module(ShippedPath(file.name));
        ASSERT_NE(nullptr, module.Get());
        const std::string text = ManifestText(module);
        EXPECT_EQ(file.isProgram, !text.empty());
        if (!file.isProgram) continue;

        ManifestContext manifest(ShippedPath(file.name));
        ASSERT_TRUE(manifest.Parsed()) << "error " << GetLastError();
        EXPECT_EQ(L"true", manifest.DpiAware());
        EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, manifest.RunLevel());
        for (const char* system : systems) EXPECT_NE(std::string::npos, text.find(system)) << system;
        EXPECT_EQ(std::string::npos, text.find("Common-Controls"));
    }
}

}  // namespace
