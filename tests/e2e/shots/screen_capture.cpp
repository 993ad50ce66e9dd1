#include "screen_capture.h"

#include <stdio.h>

#include <memory>
#include <vector>

namespace shots {

namespace {

// BMP rows are padded to whole 32-bit words.
LONG RowBytes(LONG width) { return (width * 3 + 3) & ~3; }

struct ScreenDcDeleter {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HBITMAP object) const { DeleteObject(object); }
};
struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

// Keeps a bitmap selected into a context for as long as it lives.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

RECT ClipToScreen(const RECT& area) {
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    RECT clipped = {};
    IntersectRect(&clipped, &area, &screen);
    return clipped;
}

bool CaptureToBmp(const RECT& area, const std::string& path) {
    const RECT r = ClipToScreen(area);
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // positive: bottom-up rows, as a BMP file stores them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(RowBytes(width) * height);

    std::unique_ptr<HDC__, ScreenDcDeleter> screen(GetDC(nullptr));
    if (!screen) return false;
    std::unique_ptr<HDC__, MemoryDcDeleter> memory(CreateCompatibleDC(screen.get()));
    if (!memory) return false;
    void* bits = nullptr;
    std::unique_ptr<HBITMAP__, ObjectDeleter> bitmap(
        CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                         nullptr, 0));
    if (!bitmap || !bits) return false;
    {
        Selection selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY | CAPTUREBLT))
            return false;
        GdiFlush();
    }

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::unique_ptr<FILE, FileCloser> out(fopen(path.c_str(), "wb"));
    if (!out) return false;
    return fwrite(&file, sizeof file, 1, out.get()) == 1 &&
           fwrite(&header, sizeof header, 1, out.get()) == 1 &&
           fwrite(bits, header.biSizeImage, 1, out.get()) == 1;
}

}  // namespace shots
