// Texts of the main window's document handling: the caption and the save
// prompt. Buffers are cut, never overrun.
#ifndef KIVORA_WPDOCTEXT_H
#define KIVORA_WPDOCTEXT_H

// Room for a caption: a title, a blank and a file name of up to 127 bytes.
const int kCaptionSize = 256;

// "title name", or "title (untitled)" when name is empty or none.
// Returns the full length the caption would have.
int FormatCaption(char* dest, int size, const char* title, const char* name);

// The question asked before a modified document is dropped: with a name,
// "<name> は更新されています。保存しますか？"; untitled, the fixed text about
// 「無題」. Returns the full length the prompt would have.
int FormatSavePrompt(char* dest, int size, const char* name);

#endif
