// Settings of batch runs.
#include "cli/Settings.h"

#include "cli/RouteCommand.h"
#include "core/Messages.h"
#include "core/Report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zelta::cli {

namespace {

void say(const std::string& text) {
    std::fprintf(stderr, "zelta-cli: %s\n", text.c_str());
}

} // namespace

SettingsLocation settingsLocation(const std::string& iniPath, const std::string& executablePath) {
    return iniPath.empty() ? GestoreFileINI::defaultLocation(executablePath)
                           : SettingsLocation{iniPath, iniPath};
}

int settingsStatus(const GestoreFileINI& settings, bool named) {
    const SettingsOutcome& read = settings.readOutcome;
    if (!read.usable()) {
        say(read.notice.text);
        return ExitRead;
    }
    // A name mistyped on the command line must not swap the person's settings for the defaults.
    if (named && !read.read) {
        const std::string why = settings.readProblem.empty() ? std::strerror(ENOENT) : settings.readProblem;
        say(strprintf(msg::CliSettingsUnread, settings.readFrom.c_str(), why.c_str()));
        return ExitRead;
    }
    if (read.notice)
        say(read.notice.text);
    return ExitOk;
}

bool applySettings(GestoreFileINI& settings, const std::vector<std::string>& assignments) {
    for (const std::string& assignment : assignments) {
        auto eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0) {
            say(strprintf(msg::CliSetNeedsKeyValue, assignment.c_str()));
            return false;
        }
        if (const Notice refused = settings.setByKey(assignment.substr(0, eq), assignment.substr(eq + 1))) {
            say(refused.text);
            return false;
        }
    }
    return true;
}

int loadSettings(const std::string& iniPath, const std::vector<std::string>& assignments,
                 const std::string& executablePath, std::unique_ptr<GestoreFileINI>& settings) {
    settings = std::make_unique<GestoreFileINI>(settingsLocation(iniPath, executablePath));
    if (int status = settingsStatus(*settings, !iniPath.empty()); status != ExitOk)
        return status;
    return applySettings(*settings, assignments) ? ExitOk : ExitUsage;
}

} // namespace zelta::cli
