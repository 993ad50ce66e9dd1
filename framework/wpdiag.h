// The framework's own diagnostics: the assertion box for broken invariants
// and the error box for problems a user can cause. Texts are English.
#ifndef KIVORA_WPDIAG_H
#define KIVORA_WPDIAG_H

// Beeps and shows "at line LINE in file FILE: "EXPRESSION"" (cut to 79
// characters) in a task-modal box captioned "ASSERTION FAILURE" with OK and
// Cancel (type 0x2011). Returns only when the user chooses OK; otherwise the
// process ends with exit code -1 through the normal exit path.
void WPAssert(const char* expression, const char* file, unsigned line);

// Formats like printf (cut to 127 characters) and shows the text in an
// ownerless box with the default caption, exclamation icon and OK.
void WPError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The check behind every framework assertion: when condition is false,
// WPAssert with the expression text and the caller's file and line. Returns
// condition, so a caller can skip work that would use a missing object.
inline bool WPCheck(bool condition, const char* expression, const char* file = __builtin_FILE(),
                    unsigned line = __builtin_LINE()) {
    if (!condition) WPAssert(expression, file, line);
    return condition;
}

#endif
