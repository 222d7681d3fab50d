// Time of a whole read (the open command up to its closing box) of a drawing of 200,000 lines and
// of a drawing whose one record is 10 MB long, on a 100 x 50 mm board sized by hand.
#include "app/Program.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zelta::bench {
namespace {

// Answers the open dialog with the drawing and every question with Yes; shows nothing.
class SilentHost : public Host {
public:
    explicit SilentHost(std::string path) : path_(std::move(path)) {}
    ModalResult messageDlg(const std::string&, MsgDlgType, unsigned buttons) override {
        return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
    }
    std::optional<std::string> openFileDialog(const FileDialogSpec&) override { return path_; }
    std::optional<std::string> saveFileDialog(const FileDialogSpec&) override { return std::nullopt; }
    void setText(Field, const std::string&) override {}
    void reportLine(const std::string&) override {}
    void clearReport() override {}

private:
    std::string path_;
};

// Every kind of line a drawing holds: lines and texts passed through, pads on another layer, and
// copper pads of 200 nets spread over the board.
std::string manyLines() {
    std::string d = "[FIDOCAD]\n";
    for (int i = 0; i < 200000; ++i) {
        switch (i % 4) {
        case 0:
            d += "LI 100 50 200 50 0\n";
            break;
        case 1:
            d += "TY 10 20 5 3 0 0 3 * R" + std::to_string(i) + "\n";
            break;
        case 2:
            d += "PA 100 50 12 12 5 0 2 3\n";
            break;
        default:
            d += "PA " + std::to_string(10 * (1 + (i / 4) % 78)) + " " +
                 std::to_string(10 * (1 + (i / 312) % 38)) + " 12 12 5 0 1 " + std::to_string(1 + i % 200) +
                 "\n";
        }
    }
    return d;
}

// One record of 100,000 fields of 99 characters.
std::string oneLongLine() {
    std::string d = "[FIDOCAD]\nTY";
    while (d.size() < 10 * 1024 * 1024) {
        d += ' ';
        d.append(99, 'x');
    }
    return d + "\n";
}

void readDrawing(benchmark::State& state, std::string (*drawing)()) {
    std::string dir = (std::filesystem::temp_directory_path() / "zelta-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const std::string content = drawing();
    std::ofstream(dir + "/board.fcd", std::ios::binary) << content;
    {
        SilentHost host(dir + "/board.fcd");
        Program program(host, ProgramOptions{dir + "/zelta.ini", dir + "/zelta.tmp"});
        program.settings->mm_larg_scheda = 100;
        program.settings->mm_alt_scheda = 50;
        for (auto _ : state) {
            program.openFcd();
            if (program.fcd->status != StatusComplete) {
                state.SkipWithError("the read did not complete");
                break;
            }
        }
        state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(content.size()));
    }
    std::filesystem::remove_all(dir);
}

BENCHMARK_CAPTURE(readDrawing, lines_200000, &manyLines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readDrawing, line_10MB, &oneLongLine)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelta::bench
