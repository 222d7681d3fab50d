// The whole report of a session kept in a file of the program's own, so that a window can show
// only the last lines and still save every line when asked.
#pragma once

#include "core/TempFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace zelta {

class ReportSpool {
public:
    ReportSpool();
    ~ReportSpool();
    ReportSpool(const ReportSpool&) = delete;
    ReportSpool& operator=(const ReportSpool&) = delete;

    void append(const std::string& line);
    void append(const std::vector<std::string>& lines);
    void clear();
    // Writes every line kept so far to path, replacing it only once all is written. Empty on
    // success, else why it failed.
    std::string saveTo(const std::string& path);

private:
    TempFile file_;
    std::FILE* out_ = nullptr;
    std::string problem_; // why there is no file to keep the lines in
};

} // namespace zelta
