// A message for the person that an engine step ends with; the command that ran the step shows it
// (as a message box in the window, on standard error in the batch tool).
#pragma once

#include <string>

namespace zelta {

struct Notice {
    enum class Kind { None, Information, Warning, Error };
    Kind kind = Kind::None;
    std::string text;

    explicit operator bool() const { return kind != Kind::None; }
};

} // namespace zelta
