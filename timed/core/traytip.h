// The tray tip of the timed programs: "subject time", where the subject is
// the launcher's program name or the closer's caption. Window-free.
#pragma once

namespace timed {

// The tip is built whole before the tray cuts it: a subject of up to 255
// characters, one space and a time text of up to 255.
const int kTipWorkSize = 512;

// tip = subject " " timeText, cut safely (whole characters) to tipSize.
void ComposeTip(char* tip, int tipSize, const char* subject, const char* timeText);

// The last piece of program when it is split at backslashes (runs count as
// one, empty pieces vanish) into two or more pieces; otherwise the whole of
// program. "/" is no separator. Cut safely to nameSize.
void ProgramNameOf(const char* program, char* name, int nameSize);

}  // namespace timed
