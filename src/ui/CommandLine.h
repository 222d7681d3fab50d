// The desktop program's command line. --help and --version are answered before the toolkit
// starts, so that they need no display; once the toolkit has taken its own options out, what is
// left is the drawing to open, and an option the program does not know is refused.
#pragma once

#include <string>
#include <vector>

namespace zelta::ui {

enum class EarlyAnswer { None, Help, Version };

// What the whole command line (the program's name first) asks before any window: --help (or
// -h) and --version, wherever they stand before a "--".
EarlyAnswer earlyAnswer(const std::vector<std::string>& arguments);

// The texts they print, on standard output.
std::string helpText();
std::string versionText();

struct StartArguments {
    std::string drawing;       // as given; empty when there is none
    std::string unknownOption; // the first option the program does not know; empty when none
};

// The arguments the toolkit left (the program's name first): the first one that is not an
// option names the drawing; after "--" every argument is a name.
StartArguments startArguments(const std::vector<std::string>& arguments);

// The refusal of an unknown option, on standard error.
std::string unknownOptionText(const std::string& option);

} // namespace zelta::ui
