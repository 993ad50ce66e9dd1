// Fuzzes volley's command-line rules: the outputs stay inside their buffers,
// hold only what the rules can produce, and do not depend on what the record
// held before.
#include "fuzz_checks.h"
#include "volleycommandline.h"

#include <stdint.h>

#include <string>

namespace {

std::unique_ptr<VolleyCommandLine> ParseInto(const char* tail, unsigned char fill) {
    std::unique_ptr<VolleyCommandLine> result(new VolleyCommandLine);
    memset(result.get(), fill, sizeof *result);
    ParseVolleyCommandLine(tail, result.get());
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The tail is a C string: an embedded NUL ends it.
    std::string input(reinterpret_cast<const char*>(data), size);
    const char* tail = input.c_str();

    std::unique_ptr<VolleyCommandLine> c = ParseInto(tail, 0xA5);
    auto fileArg = HeapText(c->fileArg, sizeof c->fileArg, "fileArg terminated");
    auto option = HeapText(c->option, sizeof c->option, "option terminated");
    Require(c->nameRefused == 0 || c->nameRefused == 1, "nameRefused is a flag");

    const bool empty = tail[0] == '\0';
    const bool version = strcmp(option.get(), "-v") == 0;
    Require(HidesMainWindow(*c) == (version || strcmp(option.get(), "-h") == 0), "hidden for -h and -v only");
    Require(ShowsVersion(*c) == version, "version only for -v");

    // A cut option (255 characters) may have lost its dash.
    Require(option[0] == '\0' || HasChar(option.get(), '-') || strlen(option.get()) >= 254,
            "the option holds a dash");
    Require(option[0] == '\0' || strstr(tail, option.get()) != nullptr, "the option comes from the tail");

    if (empty) {
        Require(strcmp(fileArg.get(), "Volley.rsp") == 0 && option[0] == '\0', "default only for an empty tail");
    } else if (version) {
        Require(strcmp(fileArg.get(), "-v") == 0, "-v replaces the name");
    } else {
        Require(!HasChar(fileArg.get(), '-'), "a name holds no dash");
        Require(strstr(tail, fileArg.get()) != nullptr, "the name comes from the tail");
    }
    Require(!c->nameRefused || fileArg[0] == '\0' || version, "a refused name leaves no name");
    Require(!c->nameRefused || strlen(tail) > 255, "only names beyond 255 characters are refused");

    std::unique_ptr<VolleyCommandLine> again = ParseInto(tail, 0x5A);
    Require(strcmp(again->fileArg, fileArg.get()) == 0 && strcmp(again->option, option.get()) == 0 &&
                again->nameRefused == c->nameRefused,
            "parsing is deterministic");
    return 0;
}
