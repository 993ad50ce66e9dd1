#include "wpprintername.h"

#include "wptext.h"

char* CutDeviceName(char* deviceEntry) {
    char* comma = const_cast<char*>(FindChar(deviceEntry, ","));
    if (comma)
        *comma = '\0';
    return deviceEntry;
}

void SplitDriverAndPort(char* entry, const char** driver, const char** port) {
    *driver = entry;
    char* comma = const_cast<char*>(FindChar(entry, ","));
    if (comma) {
        *comma = '\0';
        *port = comma + 1;
    } else {
        *port = "";
    }
}
