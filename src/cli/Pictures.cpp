// The pictures of the best lap, drawn with the toolkit made for the batch run.
#include "cli/Pictures.h"

#include "cli/BatchToolkit.h"
#include "render/BoardPicture.h"
#include "render/ImageFiles.h"

#include <cstdio>

namespace zelta::cli {

bool writePictures(const std::string& svgPath, const std::string& pngPath, double scale,
                   const Program& program) {
    if (svgPath.empty() && pngPath.empty())
        return true;
    const BatchToolkit toolkit;

    BoardPicture picture = padsPicture(*program.fcd, *program.settings);
    if (program.tracer->resultsReady)
        addBestLap(picture, program.grid->plane(BestPlane), *program.netTable, program.bestJumpers,
                   program.settings->metodo);
    bool ok = true;
    auto write = [&](const std::string& path, auto writer) {
        if (path.empty())
            return;
        const std::string problem = writer(path, picture, scale);
        if (!problem.empty()) {
            std::fprintf(stderr, "zelta-cli: impossibile scrivere l'immagine %s: %s\n", path.c_str(),
                         problem.c_str());
            ok = false;
        }
    };
    write(svgPath, writeSvg);
    write(pngPath, writePng);
    return ok;
}

} // namespace zelta::cli
