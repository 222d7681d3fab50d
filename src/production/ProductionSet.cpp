// Reading the drawing once, making every file in memory, then writing them one by one.
#include "production/ProductionSet.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/SafeFile.h"
#include "export/BoardCoordinates.h"
#include "export/CopperRecords.h"
#include "export/Excellon.h"
#include "export/GerberLayers.h"
#include "export/ProductionNames.h"
#include "export/ReadMe.h"
#include "export/WireLinks.h"
#include "fidocad/FcdDrawing.h"
#include "render/CopperPrint.h"
#include "render/DrawingPicture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace zelta {

namespace {

namespace fs = std::filesystem;

ProductionResult failure(ProductionOutcome outcome, std::string message) {
    ProductionResult result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

// Whether path names the same file as one of files (by device and inode, so that links and other
// spellings meet); a path not there yet is no file read.
bool sameAsAny(const std::string& path, const std::vector<std::string>& files) {
    struct stat target;
    if (stat(path.c_str(), &target) != 0)
        return false;
    for (const std::string& f : files) {
        struct stat other;
        if (!f.empty() && stat(f.c_str(), &other) == 0 && other.st_dev == target.st_dev &&
            other.st_ino == target.st_ino)
            return true;
    }
    return false;
}

// The drawing's text, as the reader takes it: a regular file only.
bool readText(const std::string& path, std::string& text) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

} // namespace

ProductionResult writeProductionSet(const ProductionRequest& request, const GestoreFileINI& settings) {
    struct stat folderStat;
    if (stat(request.folder.c_str(), &folderStat) == 0 && !S_ISDIR(folderStat.st_mode))
        return failure(ProductionOutcome::Refused,
                       strprintf(msg::ProductionNotAFolder, request.folder.c_str()));

    const std::string name = fs::path(request.drawing).stem().string();
    const ProductionNames names = ProductionNames::of(name);
    std::vector<std::string> paths;
    std::vector<std::string> read = request.protectedFiles;
    read.push_back(request.drawing);
    for (const std::string& file : names.all()) {
        paths.push_back((fs::path(request.folder) / file).string());
        if (sameAsAny(paths.back(), read))
            return failure(ProductionOutcome::Refused,
                           strprintf(msg::ProductionWouldReplace, paths.back().c_str()));
    }

    std::string text;
    FcdDrawing drawing;
    std::string error = msg::Err101Box;
    if (!readText(request.drawing, text) || !parseDrawing(text, settings, drawing, error))
        return failure(ProductionOutcome::ReadFailed, error);
    if (const int line = firstTrackBeyondFormat(drawing))
        return failure(ProductionOutcome::ReadFailed, strprintf(msg::ProductionTrackTooFar, line));

    const BoardPicture picture = drawingPicture(drawing);
    const QByteArray print = copperPrintPdf(picture, QString::fromStdString(name), request.mirror);
    if (print.isEmpty())
        return failure(ProductionOutcome::WriteFailed, msg::ProductionPrintFailed);

    const std::string drawingFile = fs::path(request.drawing).filename().string();
    const std::vector<DrillTool> tools = drillTools(drawing);
    const std::vector<WireLink> links = wireLinks(drawing);
    ReadMeFacts facts;
    facts.drawingFile = drawingFile;
    facts.names = names;
    facts.widthNm = unitsToNm(drawing.width);
    facts.heightNm = unitsToNm(drawing.height);
    for (const DrawnPad& p : drawing.pads) {
        facts.pads += p.sizeX != 0 && p.sizeY != 0;
        facts.surfacePads += p.drill <= 0;
    }
    facts.tracks = static_cast<int>(drawing.tracks.size());
    facts.wireLinks = static_cast<int>(links.size());
    facts.padsLeftOut = copperPadRecords(text) - static_cast<int>(drawing.pads.size());
    facts.tools = tools;
    facts.mirror = request.mirror;

    const std::vector<std::string> contents = {copperGerber(drawing, drawingFile),
                                               outlineGerber(drawing, drawingFile),
                                               excellon(tools, drawingFile),
                                               wireLinkGerber(drawing, drawingFile),
                                               wireLinkCsv(links),
                                               print.toStdString(),
                                               readMeText(facts)};

    if (const int err = makeFolders(request.folder, 0777))
        return failure(ProductionOutcome::WriteFailed,
                       strprintf(msg::ProductionFolderFailed, request.folder.c_str(), std::strerror(err)));
    ProductionResult result;
    result.padsLeftOut = facts.padsLeftOut;
    for (size_t i = 0; i < paths.size(); ++i) {
        SafeFileWriter out;
        if (out.open(paths[i])) {
            out.write(contents[i]);
            if (out.commit()) {
                result.files.push_back(paths[i]);
                continue;
            }
        }
        result.outcome = ProductionOutcome::WriteFailed;
        result.message = strprintf(msg::ProductionWriteFailed, paths[i].c_str(), out.reason().c_str());
        return result;
    }
    return result;
}

} // namespace zelta
