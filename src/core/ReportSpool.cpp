// Appending to the report's own file, emptying it, and copying it out.
#include "core/ReportSpool.h"

#include "core/SafeFile.h"

#include <cerrno>
#include <cstring>

namespace zelta {

ReportSpool::ReportSpool() {
    if (!file_.create(".log"))
        problem_ = std::strerror(errno);
    else if (!(out_ = std::fopen(file_.path().c_str(), "w+")))
        problem_ = std::strerror(errno);
}

ReportSpool::~ReportSpool() {
    if (out_)
        std::fclose(out_);
}

void ReportSpool::append(const std::string& line) {
    if (!out_)
        return;
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fputc('\n', out_);
}

void ReportSpool::append(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        append(line);
}

void ReportSpool::clear() {
    if (out_ && !std::freopen(file_.path().c_str(), "w+", out_)) {
        problem_ = std::strerror(errno);
        out_ = nullptr;
    }
}

std::string ReportSpool::saveTo(const std::string& path) {
    if (!out_)
        return problem_;
    std::fflush(out_);
    SafeFileWriter writer;
    if (!writer.open(path))
        return writer.reason();
    std::rewind(out_);
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out_)) > 0)
        writer.write(std::string_view(buffer, n));
    const bool readFailed = std::ferror(out_) != 0;
    std::fseek(out_, 0, SEEK_END);
    if (readFailed) {
        writer.abort();
        return std::strerror(EIO);
    }
    if (!writer.commit())
        return writer.reason();
    return {};
}

} // namespace zelta
