#include "wpcmdtail.h"

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }

}  // namespace

char* CommandLineTail(char* commandLine) {
    static char empty[1] = "";
    if (!commandLine)
        return empty;
    char* at = commandLine;
    if (*at == '"') {
        // A quoted name ends at the next quote; no trail byte is a quote.
        ++at;
        while (*at && *at != '"')
            ++at;
        if (*at == '"')
            ++at;
    } else {
        while (*at && !IsBlankOrControl(*at))
            ++at;
    }
    while (IsBlankOrControl(*at))
        ++at;
    return at;
}
