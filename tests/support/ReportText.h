// Report lines compared as the expected results are written: milliseconds as 0, the paths of
// the read and written files by their base name.
#pragma once

#include <string>
#include <vector>

namespace zelta::testing {

std::vector<std::string> splitLines(const std::string& text);
std::string normalisedLine(const std::string& line);
// Every line normalised, joined with line feeds.
std::string normalisedReport(const std::string& text);
// Empty when the texts are equal line by line, else where they first part.
std::string firstDifference(const std::string& expected, const std::string& actual);

} // namespace zelta::testing
