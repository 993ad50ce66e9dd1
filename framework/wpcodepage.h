// The system's own conversion into code page 932, the map that lists and
// response files are decoded with (see wptextdecode.h).
#pragma once

// WPCp932Map: code page 932's bytes for a UTF-16 code unit into out (one or
// two), or 0 when code page 932 has no such character.
int SystemCp932(unsigned short unit, char* out);
