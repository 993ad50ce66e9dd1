#include "wptextfile.h"

#include "wpformat.h"

#include <stdio.h>
#include <string.h>

namespace {

const char kRefusedCaption[] = "ERROR";
const char kRefusedFormat[] = "%d行目にShift-JISで表せない文字があるため、ファイルを読めません";

WPCp932Map currentMap = nullptr;

// A file's bytes in one block that grows as the file is read.
class FileBytes {
public:
    void Append(const char* bytes, size_t count) {
        if (count > capacity_ - size_) Grow(size_ + count);
        memcpy(block_.get() + size_, bytes, count);
        size_ += count;
    }
    const char* Data() const { return block_.get(); }
    size_t Size() const { return size_; }

private:
    void Grow(size_t needed) {
        size_t capacity = capacity_ ? capacity_ : kFirstCapacity;
        while (capacity < needed) capacity = capacity <= kMaxCapacity / 2 ? capacity * 2 : needed;
        std::unique_ptr<char[]> block(new char[capacity]);
        if (size_) memcpy(block.get(), block_.get(), size_);
        block_ = std::move(block);
        capacity_ = capacity;
    }

    static constexpr size_t kFirstCapacity = 4096;
    static constexpr size_t kMaxCapacity = static_cast<size_t>(-1);
    std::unique_ptr<char[]> block_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace

WPCp932Map SetCp932Map(WPCp932Map map) {
    WPCp932Map previous = currentMap;
    currentMap = map;
    return previous;
}

WPTextFile ReadTextFile(const char* name) {
    WPTextFile file;
    // Binary: UTF-16 holds bytes that a text-mode read would take for line
    // ends or the end of the file.
    FILE* stream = fopen(name, "rb");
    if (!stream) return file;
    FileBytes data;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, stream)) > 0) data.Append(chunk, got);
    const bool failed = ferror(stream) != 0;
    fclose(stream);
    if (failed) return file;

    file.text.reset(new char[data.Size() ? data.Size() : 1]);
    const WPDecodedText decoded = DecodeText(data.Data(), data.Size(), file.text.get(), currentMap);
    if (decoded.refusedLine) {
        file.status = WPTextFile::kRefused;
        file.refusedLine = decoded.refusedLine;
        file.text.reset();
        return file;
    }
    file.status = WPTextFile::kRead;
    file.length = decoded.length;
    return file;
}

WPNotice RefusedTextNotice(int line, bool ownedByMainWindow) {
    char text[sizeof kRefusedFormat + 16];
    FormatText(text, sizeof text, kRefusedFormat, line);
    return MakeNotice(kRefusedCaption, text, 0, true, ownedByMainWindow);
}
