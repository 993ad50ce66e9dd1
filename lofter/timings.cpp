#include "timings.h"

#include <windows.h>
#include <sddl.h>

#include "kivlib.h"
#include "wpformat.h"
#include "wptext.h"

const char kCaptureDelayKey[] = ".Default\\Software\\Zorva\\Kivora\\DeleyTime";
const char kReturnIntervalKey[] = ".Default\\Software\\Zorva\\Kivora\\MoveTime";

namespace {

// A SID as text ("S-1-5-21-" and at most 15 numbers) and a key path below it.
constexpr int kSidTextSize = 192;
constexpr int kUserKeySize = 256;

class TokenHandle {
public:
    TokenHandle() {
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &handle_)) handle_ = nullptr;
    }
    ~TokenHandle() { if (handle_) ::CloseHandle(handle_); }
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// The SID of the user this process runs as: the name, under HKEY_USERS, of
// the branch that HKEY_CURRENT_USER stands for. Empty when it cannot be had.
void CurrentUserSid(char* sid, int size) {
    sid[0] = '\0';
    TokenHandle token;
    union {
        TOKEN_USER user;
        BYTE space[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    DWORD needed;
    char* text;
    if (!token.get() || !::GetTokenInformation(token.get(), TokenUser, &info, sizeof info, &needed) ||
        !::ConvertSidToStringSidA(info.user.User.Sid, &text))
        return;
    if (CopyText(sid, size, text) >= size) sid[0] = '\0';
    ::LocalFree(text);
}

// Where one timing is kept: the default profile's key, as ever, and the
// same key in the user's own branch (empty without the user's SID).
struct TimingKey {
    TimingKey(const char* defaultKey, const char* userSid) : defaultPath(defaultKey) {
        userPath[0] = '\0';
        if (userSid[0]) FormatText(userPath, sizeof userPath, "%s%s", userSid, FindChar(defaultKey, "\\"));
    }
    const char* defaultPath;
    char userPath[kUserKeySize];
};

void FormatTime(char* text, int value) {
    FormatText(text, kivlibTextSize, "%d", value);
}

// True when the key holds text afterwards: written, or created with it
// (createKey reports success as 0). An empty path holds nothing.
bool StoreAt(const char* path, const char* text) {
    kivlibKeys keys;
    return keys.setKey(path, text) || keys.createKey(path, text) == 0;
}

// The default profile first; on NT a standard user may not write it, and the
// user's own branch takes the value instead. A value already in the user's
// branch is read first at the next start, so it must follow a save to the
// default profile too, or that save would be lost.
bool StoreTime(const TimingKey& key, const char* text) {
    if (!StoreAt(key.defaultPath, text)) return StoreAt(key.userPath, text);
    kivlibKeys keys;
    char held[kivlibTextSize];
    return !keys.readKey(key.userPath, held) || keys.setKey(key.userPath, text);
}

// The user's own value, else the default profile's, else value itself,
// stored where a save would put it so that the next run finds it.
int LoadTime(const TimingKey& key, int value) {
    char text[kivlibTextSize];
    FormatTime(text, value);
    kivlibKeys keys;
    if (!keys.readKey(key.userPath, text) && !keys.readKey(key.defaultPath, text)) StoreTime(key, text);
    return ReadNumber(text);
}

bool SaveTime(const TimingKey& key, int value) {
    char text[kivlibTextSize];
    FormatTime(text, value);
    return StoreTime(key, text);
}

}  // namespace

void TimingSettings::loadTimes() {
    char sid[kSidTextSize];
    CurrentUserSid(sid, sizeof sid);
    captureDelay = LoadTime(TimingKey(kCaptureDelayKey, sid), captureDelay);
    returnInterval = LoadTime(TimingKey(kReturnIntervalKey, sid), returnInterval);
}

bool TimingSettings::saveTimes() const {
    char sid[kSidTextSize];
    CurrentUserSid(sid, sizeof sid);
    // Both are tried even when the first fails.
    const bool delayStored = SaveTime(TimingKey(kCaptureDelayKey, sid), captureDelay);
    const bool intervalStored = SaveTime(TimingKey(kReturnIntervalKey, sid), returnInterval);
    return delayStored && intervalStored;
}
