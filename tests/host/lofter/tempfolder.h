// A private temporary folder for response files, removed with its files.
#ifndef LOFTER_TESTS_TEMPFOLDER_H
#define LOFTER_TESTS_TEMPFOLDER_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/lofter-test-XXXXXX";
        path_ = mkdtemp(pattern) ? pattern : "";
    }
    ~TempFolder() {
        for (const std::string& file : files_) unlink(file.c_str());
        rmdir(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes content (bytes, NULs included) to name and returns its path.
    std::string Write(const std::string& name, const std::string& content) {
        std::string file = path_ + "/" + name;
        FILE* f = fopen(file.c_str(), "wb");
        if (f) {
            fwrite(content.data(), 1, content.size(), f);
            fclose(f);
        }
        files_.push_back(file);
        return file;
    }

    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::vector<std::string> files_;
};

// Makes a folder the working folder until the end of the scope, so that a
// test can name its files relatively (and so keep command texts short).
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& path) {
        entered_ = getcwd(previous_, sizeof previous_) != nullptr && chdir(path.c_str()) == 0;
    }
    ~WorkingFolder() {
        if (entered_ && chdir(previous_) != 0) perror("restoring the working folder");
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    bool Entered() const { return entered_; }

private:
    char previous_[4096];
    bool entered_;
};

#endif
