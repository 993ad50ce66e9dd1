#include "wppager.h"

void PrintPager::Start(int lineHeight, int pageHeight) {
    // A font without height would divide by zero, and a page too short for
    // two lines would leave no line at all: keep one line per page at least.
    lineHeight_ = lineHeight > 0 ? lineHeight : 1;
    linesPerPage_ = pageHeight / lineHeight_ - 1;
    if (linesPerPage_ < 1)
        linesPerPage_ = 1;
    counter_ = 0;
}

PrintPager::Step PrintPager::Next(const char* text, int length) {
    Step step{false, false, 0};
    if (length > 0 && text[0] == '\f') {
        step.newPageFirst = true;
        counter_ = 0;
        return step;
    }
    if (counter_ >= linesPerPage_) {
        step.newPageFirst = true;
        counter_ = 0;
    }
    step.writeLine = true;
    step.y = lineHeight_ * counter_;
    ++counter_;
    return step;
}
