// Drives the response-file path with a real file. The first input byte picks
// the case, the rest is the file's content or the text after "r":
//   0: "r=" and a file name with a blank, in the 1024-byte text
//   1: the same in a text buffer just large enough for it, plus a little
//   2: "r" without "=" after it: refused, nothing opened
//   3: "r=" and a name in a folder that does not exist: refused
// A read that succeeds must give the memory reader's first word of the file
// decoded as it was saved (with the host's code page 932) up to a Ctrl-Z; a
// file the decoder refuses must be refused with its line; and the whole
// start-up read (file, then command line) must leave sound records.
#include "launchchecks.h"
#include "launchrequest.h"
#include "responsefile.h"
#include "wptext.h"
#include "wptextfile.h"

#include "host_cp932.h"

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace {

const lofter::ScreenLayout kScreen(WPRect(0, 0, 1024, 768));

// One private file for the whole run, removed at exit.
const std::string& ResponsePath() {
    static std::string path;
    if (path.empty()) {
        char folder[] = "/tmp/lofter-fuzz-XXXXXX";
        Require(mkdtemp(folder) != nullptr, "temporary folder");
        static std::string folderPath = folder;
        path = folderPath + "/lofter fuzz.rsp";
        atexit([] {
            unlink(path.c_str());
            rmdir(folderPath.c_str());
        });
    }
    return path;
}

void WriteFile(const std::string& path, const char* data, size_t size) {
    FILE* file = fopen(path.c_str(), "wb");
    Require(file != nullptr, "response file written");
    if (size) fwrite(data, 1, size, file);
    fclose(file);
}

// The boxes follow the flags, response-file box first.
void CheckBoxes(const LaunchSettings& settings) {
    WPNotice boxes[2];
    int count = CommandLineErrorBoxes(settings, boxes);
    Require(count == settings.responseFailed + settings.noProgram, "one box per failure");
    if (settings.responseFailed)
        Require(!boxes[0].ownedByMainWindow && (settings.responseRefusedLine
                                                    ? strcmp(boxes[0].caption, "ERROR") == 0 && boxes[0].beepFirst
                                                    : strcmp(boxes[0].text, kResponseFileErrorText) == 0),
                "response-file box first, without owner");
    if (settings.noProgram)
        Require(strcmp(boxes[count - 1].text, kUsageText) == 0 && boxes[count - 1].ownedByMainWindow,
                "usage box last, owned by the main window");
}

// The start-up read of text, which must fail (or not) as readResponseFile did.
void CheckRequest(const char* text, int textSize, int expectFailed) {
    char* copy = new char[textSize];
    memcpy(copy, text, textSize);
    LaunchSettings* settings = new LaunchSettings;
    LaunchTarget* target = new LaunchTarget;
    ReadLaunchRequest(copy, textSize, kScreen, settings, target);
    CheckTerminated(copy, textSize, "text terminated after the request");
    Require(settings->responseFailed == expectFailed, "request fails as the reader did");
    if (settings->responseFailed) {
        const LaunchSettings fresh;
        Require(settings->noProgram == 1 && strcmp(settings->arguments, fresh.arguments) == 0 &&
                    settings->x == -1,
                "nothing is parsed after a failed read");
    } else {
        CheckParsed(copy, *settings, *target, kScreen);
    }
    CheckBoxes(*settings);
    delete settings;
    delete target;
    delete[] copy;
}

void ReadFile(const char* content, size_t size, bool tightBuffer, uint8_t slack) {
    const std::string& path = ResponsePath();
    WriteFile(path, content, size);
    const std::string line = "r=" + path;
    const int textSize = tightBuffer ? static_cast<int>(line.size()) + 1 + slack : kCommandTextSize;
    char* text = new char[textSize];
    CopyText(text, textSize, line.c_str());

    LaunchSettings* settings = new LaunchSettings;
    readResponseFile(text, textSize, settings);
    CheckTerminated(text, textSize, "text terminated");

    std::unique_ptr<char[]> decoded(new char[size ? size : 1]);
    const WPDecodedText file = DecodeText(content, size, decoded.get(), HostCp932);
    Require(settings->responseRefusedLine == file.refusedLine, "a refused file's line is kept");
    char expected[kMaxLineLength + 1] = "";
    int length = -1;
    if (!file.refusedLine) {
        const char* end = static_cast<const char*>(memchr(decoded.get(), '\x1A', file.length));
        length = ReadFirstWord(decoded.get(), end ? end - decoded.get() : file.length, expected);
    }
    CheckTerminated(expected, sizeof expected, "first word terminated");
    Require(length == static_cast<int>(strlen(expected)) || length == -1, "word length reported");
    const bool fits = length >= 0 && length < textSize;
    Require(settings->responseFailed == (fits ? 0 : 1), "read fails exactly when the word does not fit");
    if (fits) {
        Require(strcmp(text, expected) == 0, "text is the file's first word");
        bool quoted = false;
        for (const char* p = text; *p; ++p) {
            if (*p == '"') quoted = !quoted;
            Require(strchr(quoted ? "\n\r" : " \t\n\r\v\f", *p) == nullptr,
                    "the word holds no line end, and no white space outside quotes");
        }
    } else {
        Require(line.compare(0, std::string::npos, text) == 0, "a failed read leaves the text");
    }
    delete settings;

    CopyText(text, textSize, line.c_str());
    CheckRequest(text, textSize, fits ? 0 : 1);
    delete[] text;
}

// Texts that must be refused without opening anything readable.
void Refuse(const std::string& line) {
    char* text = new char[kCommandTextSize];
    CopyText(text, kCommandTextSize, line.c_str());
    char* before = new char[kCommandTextSize];
    memcpy(before, text, kCommandTextSize);
    LaunchSettings* settings = new LaunchSettings;
    readResponseFile(text, kCommandTextSize, settings);
    Require(settings->responseFailed == 1, "the text is refused");
    Require(memcmp(before, text, kCommandTextSize) == 0, "a refused text is left as it was");
    delete settings;
    CheckRequest(text, kCommandTextSize, 1);
    delete[] before;
    delete[] text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const WPCp932Map installed = SetCp932Map(HostCp932);
    (void)installed;
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const std::string restText(rest, size - 1);
    switch (mode % 4) {
    case 0: ReadFile(rest, size - 1, false, 0); break;
    case 1: ReadFile(rest, size - 1, true, mode >> 2); break;
    case 2: {
        std::string line = "r" + std::string(restText.c_str());
        if (line.size() > 1 && line[1] == '=') line[1] = 'x';
        Refuse(line);
        break;
    }
    default: Refuse("r=/nonexistent-lofter-fuzz/" + std::string(restText.c_str())); break;
    }
    return 0;
}
