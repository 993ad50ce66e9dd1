#include "timedrequest.h"

#include <string.h>

#include <new>

#include <gtest/gtest.h>

namespace {

struct LaunchOptions {
    int result;
    int noIcon;
    int quitAfterFire;
};

LaunchOptions Launch(const char* field) {
    LaunchRequest request;
    int result = request.ParseOptions(field);
    return LaunchOptions{result, request.noIcon, request.quitAfterFire};
}

}  // namespace

TEST(LaunchOptions, ReadEveryLetterAfterTheDash) {
    for (const char* field : {"-hc", "-ch", "-h-c", "  -hc", "-c x h", "-Xhc"}) {
        LaunchOptions out = Launch(field);
        EXPECT_EQ(1, out.result) << field;
        EXPECT_EQ(1, out.noIcon) << field;
        EXPECT_EQ(0, out.quitAfterFire) << field;
    }
    LaunchOptions onlyH = Launch("\t-h");
    EXPECT_EQ(1, onlyH.result);
    EXPECT_EQ(1, onlyH.noIcon);
    EXPECT_EQ(1, onlyH.quitAfterFire);
}

TEST(LaunchOptions, RefuseAFieldWithoutDashOrKnownLetter) {
    for (const char* field : {"-", "-x", "h", "c", "x-h", "-H", "-C"}) {
        LaunchOptions out = Launch(field);
        EXPECT_EQ(0, out.result) << field;
        EXPECT_EQ(0, out.noIcon) << field;
        EXPECT_EQ(1, out.quitAfterFire) << field;
    }
}

TEST(LaunchOptions, BlanksOnlyAreAccepted) {
    LaunchOptions out = Launch("   ");
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(0, out.noIcon);
    EXPECT_EQ(1, out.quitAfterFire);
}

// ド is 0x83 0x68 and ツ is 0x83 0x63: their trail bytes are 'h' and 'c'.
TEST(LaunchOptions, TrailBytesAreNotLetters) {
    LaunchOptions out = Launch("-ドツ");
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(0, out.noIcon);
    EXPECT_EQ(1, out.quitAfterFire);
    EXPECT_EQ(1, Launch("-ドh").noIcon);
}

TEST(CloseOptions, KnowHAndG) {
    CloseRequest request;
    EXPECT_EQ(0, request.ParseOptions("-c"));
    EXPECT_EQ(0, request.noIcon);
    EXPECT_EQ(1, request.ParseOptions("-ch"));
    EXPECT_EQ(1, request.noIcon);
    EXPECT_EQ(0, request.politeClose);

    CloseRequest polite;
    EXPECT_EQ(1, polite.ParseOptions("-g"));
    EXPECT_EQ(1, polite.politeClose);
    EXPECT_EQ(0, polite.noIcon);
    // g is the closer's: the launcher ignores it as any other letter.
    EXPECT_EQ(0, Launch("-g").result);
}

// A request made over old data holds empty texts and the default options
// before any command line is read.
TEST(NewRequests, HoldEmptyTextsAndTheDefaultOptions) {
    alignas(LaunchRequest) unsigned char launchRoom[sizeof(LaunchRequest)];
    memset(launchRoom, 'x', sizeof launchRoom);
    const LaunchRequest* launch = new (launchRoom) LaunchRequest;
    EXPECT_STREQ("", launch->program);
    EXPECT_STREQ("", launch->parameters);
    EXPECT_STREQ("", launch->directory);
    EXPECT_EQ(0, launch->noIcon);
    EXPECT_EQ(1, launch->quitAfterFire);

    alignas(CloseRequest) unsigned char closeRoom[sizeof(CloseRequest)];
    memset(closeRoom, 'x', sizeof closeRoom);
    const CloseRequest* close = new (closeRoom) CloseRequest;
    EXPECT_STREQ("", close->caption);
    EXPECT_EQ(0, close->noIcon);
    EXPECT_EQ(0, close->politeClose);
}
