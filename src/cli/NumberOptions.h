// Checks of the batch tool's numeric options. Each says what is wrong in words, and refuses the
// values that would never end a run (nan, infinity) or that a count cannot hold.
#pragma once

#include <string>

namespace zelta::cli {

// Each returns "" when text is acceptable, else the message; they read text as the command line
// parser then converts it.
// A whole number from 1 to the largest 32-bit count.
std::string checkCount(const std::string& text);
// A finite number above zero.
std::string checkPositive(const std::string& text);
// A finite number from low to high.
std::string checkWithin(const std::string& text, double low, double high);

} // namespace zelta::cli
