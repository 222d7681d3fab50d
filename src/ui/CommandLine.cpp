// The desktop program's command line, read without the toolkit.
#include "ui/CommandLine.h"

#include "core/Version.h"

namespace zelta::ui {

namespace {

bool isOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

} // namespace

EarlyAnswer earlyAnswer(const std::vector<std::string>& arguments) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--")
            break;
        if (a == "--help" || a == "-h")
            return EarlyAnswer::Help;
        if (a == "--version")
            return EarlyAnswer::Version;
    }
    return EarlyAnswer::None;
}

std::string helpText() {
    // The manual page is made from this text, so it says all a person needs at the terminal.
    return "Zelta: sbroglio automatico di circuiti stampati a una faccia (FidoCAD)\n"
           "Usage: zelta [OPTIONS] [FILE.fcd]\n"
           "\n"
           "Apre la finestra del programma. Un disegno indicato sulla riga di comando viene letto\n"
           "subito, come se fosse stato scelto con \"Apri fcd\".\n"
           "\n"
           "Options:\n"
           "  -h,--help        Mostra questo aiuto ed esce\n"
           "  --version        Mostra la versione ed esce\n"
           "  --               Gli argomenti che seguono sono nomi di file\n"
           "\n"
           "Sono accettate anche le opzioni del toolkit Qt, per esempio -platform offscreen.\n"
           "La guida completa si apre dal menu Help del programma; zelta-cli sbroglia e verifica\n"
           "i disegni senza finestra.\n";
}

std::string versionText() {
    return std::string("zelta ") + ProgramVersion + "\n";
}

StartArguments startArguments(const std::vector<std::string>& arguments) {
    StartArguments start;
    bool namesOnly = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!namesOnly && a == "--") {
            namesOnly = true;
            continue;
        }
        if (!namesOnly && isOption(a)) {
            if (start.unknownOption.empty())
                start.unknownOption = a;
            continue;
        }
        if (start.drawing.empty())
            start.drawing = a;
    }
    return start;
}

std::string unknownOptionText(const std::string& option) {
    return "zelta: opzione sconosciuta: " + option + "\nPer l'elenco delle opzioni: zelta --help\n";
}

} // namespace zelta::ui
