// Line layout of printed text: which line goes where and when a page ends.
// Window-free, so the paging rules are tested without a printer.
#ifndef KIVORA_WPPAGER_H
#define KIVORA_WPPAGER_H

class PrintPager {
public:
    // What to do with one line of text.
    struct Step {
        bool newPageFirst;   // end the current page before anything else
        bool writeLine;      // write the text (false for a form feed)
        int y;               // where the line goes, in the device's units
    };

    // Starts a job: one line is lineHeight high and a page is pageHeight
    // high; the last line of a page is kept free.
    void Start(int lineHeight, int pageHeight);

    // Decides where one line goes. A text that starts with a form feed
    // only starts a new page.
    Step Next(const char* text, int length);

    int LinesPerPage() const { return linesPerPage_; }
    int LineHeight() const { return lineHeight_; }

private:
    int lineHeight_ = 1;
    int linesPerPage_ = 1;
    int counter_ = 0;
};

#endif
