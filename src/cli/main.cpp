// zelta-cli: the batch front end of the router, for scripts, benchmarks and machines without
// a display.
#include "cli/CheckCommand.h"
#include "cli/ExportCommand.h"
#include "cli/NumberOptions.h"
#include "cli/RouteCommand.h"
#include "core/Version.h"
#include "render/ImageFiles.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <cstdio>
#include <unistd.h>

namespace {

std::string executablePath(const char* argv0) {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string(argv0);
}

// The checks of the numeric options, in the parser's terms; the description shows in the help.
CLI::Validator countCheck() {
    return CLI::Validator([](std::string& text) { return zelta::cli::checkCount(text); }, "POSITIVE");
}

CLI::Validator positiveCheck() {
    return CLI::Validator([](std::string& text) { return zelta::cli::checkPositive(text); }, "POSITIVE");
}

CLI::Validator withinCheck(double low, double high) {
    char range[64];
    std::snprintf(range, sizeof range, "[%g - %g]", low, high);
    return CLI::Validator([low, high](std::string& text) { return zelta::cli::checkWithin(text, low, high); },
                          range);
}

} // namespace

int main(int argc, char** argv) {
    using namespace zelta::cli;
    CLI::App app{"Zelta: sbroglio automatico di circuiti stampati a una faccia (FidoCAD)", "zelta-cli"};
    app.require_subcommand(1);
    // The manual page is made from this help, each command's and --version, so the help says
    // what a person needs at the terminal.
    app.set_help_flag("-h,--help", "Mostra questo aiuto ed esce");
    app.set_version_flag("--version", std::string("zelta-cli ") + zelta::ProgramVersion,
                         "Mostra la versione ed esce");
    app.footer("Stato di uscita: 0 fatto; 1 riga di comando errata; 2 disegno o opzioni illeggibili;\n"
               "3 file non scrivibile; 4 cortocircuiti trovati da check; 130 o 143 fermato da un\n"
               "segnale (SIGINT, SIGTERM) dopo aver salvato il giro migliore.\n"
               "Senza --ini valgono le opzioni del programma zelta (di solito ~/.config/zelta/zelta.ini).");

    RouteOptions route;
    CLI::App* routeCmd = app.add_subcommand("route", "Legge, sbroglia e salva un disegno FidoCAD");
    routeCmd->add_option("input", route.input, "Disegno FidoCAD da leggere")->required();
    routeCmd->add_option("-o,--output", route.output, "File FidoCAD da scrivere")->required();
    routeCmd->add_option("--laps", route.laps, "Ferma dopo N giri")->check(countCheck());
    routeCmd->add_option("--idle", route.idle, "Ferma dopo N giri senza miglioramento (predefinito 50)")
        ->check(countCheck());
    routeCmd->add_option("--seconds", route.seconds, "Ferma dopo S secondi")->check(positiveCheck());
    routeCmd->add_option("--ini", route.iniPath, "File delle opzioni (predefinito: quello del programma)");
    routeCmd->add_option("--set", route.settings, "Cambia un'opzione: CHIAVE=VALORE (ripetibile)");
    routeCmd->add_option("--width", route.widths,
                         "Larghezza delle piste di una rete: RETE=SCELTA, SCELTA 0..5 come nella finestra "
                         "(0,25 0,5 1,0 1,5 2,5 Max), * per tutte le reti (ripetibile)");
    routeCmd->add_flag("--replace-tracks", route.replaceTracks, "Rimuovi le piste gia' presenti nel disegno");
    routeCmd->add_option("--report", route.reportPath, "Scrivi il rapporto in questo file");
    routeCmd->add_flag("-q,--quiet", route.quiet, "Nessun rapporto su standard output");
    routeCmd->add_option("--svg", route.svgPath, "Scrivi un'immagine SVG del giro migliore");
    routeCmd->add_option("--png", route.pngPath, "Scrivi un'immagine PNG del giro migliore");
    routeCmd->add_option("--scale", route.scale, "Pixel per millimetro delle immagini (predefinito 10)")
        ->check(withinCheck(0.1, zelta::MaxImageScale));
    routeCmd->add_option("--json", route.jsonPath,
                         "Scrivi in JSON la qualità del risultato e i dati del giro");

    CheckOptions check;
    CLI::App* checkCmd = app.add_subcommand(
        "check", "Verifica un disegno sbrogliato: net complete, cortocircuiti e isolamento");
    checkCmd->add_option("input", check.input, "Disegno FidoCAD da verificare")->required();
    checkCmd->add_option("--ini", check.iniPath, "File delle opzioni (predefinito: quello del programma)");
    checkCmd->add_option("--set", check.settings, "Cambia un'opzione: CHIAVE=VALORE (ripetibile)");
    checkCmd->add_flag("--json", check.json, "Risultato in JSON");

    ExportOptions exportOptions;
    CLI::App* exportCmd = app.add_subcommand(
        "export", "Scrive i file di produzione (Gerber, foratura, stampa 1:1) di un disegno");
    exportCmd->add_option("input", exportOptions.input, "Disegno FidoCAD sbrogliato")->required();
    exportCmd->add_option("--out", exportOptions.folder, "Cartella dei file di produzione")->required();
    exportCmd->add_option("--ini", exportOptions.iniPath,
                          "File delle opzioni (predefinito: quello del programma)");
    exportCmd->add_option("--set", exportOptions.settings, "Cambia un'opzione: CHIAVE=VALORE (ripetibile)");
    exportCmd->add_flag("--mirror", exportOptions.mirror, "Stampa speculare");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? 0 : ExitUsage;
    }

    if (routeCmd->parsed())
        return runRoute(route, executablePath(argv[0]));
    if (checkCmd->parsed())
        return runCheck(check, executablePath(argv[0]));
    if (exportCmd->parsed())
        return runExport(exportOptions, executablePath(argv[0]));
    return ExitUsage;
}
