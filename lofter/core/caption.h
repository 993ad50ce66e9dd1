// The caption of lofter's main window, which is also its tray tip.
#pragma once

namespace lofter {

// "LOFT " and 63 characters of base name, with the terminator.
constexpr int kBaseNameSize = 64;
constexpr int kCaptionSize = 5 + kBaseNameSize;

// The last piece of path when cut at every backslash: runs of backslashes
// count as one and a trailing one gives the piece before it. Cut to 63
// characters at a whole character; a trail byte that looks like a backslash
// never cuts.
void BaseName(const char* path, char* name, int nameSize);

// "LOFT " followed by the base name of program.
void BuildCaption(const char* program, char* caption, int captionSize);

}  // namespace lofter
