// The allowed-character rule of edit fields, one typed character at a time.
#ifndef KIVORA_WPCHARFILTER_H
#define KIVORA_WPCHARFILTER_H

class CharFilter {
public:
    // True when a typed character (one WM_CHAR byte) must be refused: a
    // single-byte printable character (letter, digit, punctuation, space,
    // half-width katakana) that is not in allowed. Control characters pass, and so do both bytes
    // of a double-byte character, which arrive one after the other; a trail
    // byte can look like a letter, hence the remembered lead byte.
    bool Refuses(unsigned char typed, const char* allowed);

private:
    bool trailExpected_ = false;
};

#endif
