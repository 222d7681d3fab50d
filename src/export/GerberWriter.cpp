// Writing RS-274X text: the header, the aperture table and the graphics.
#include "export/GerberWriter.h"
#include "export/Joined.h"

#include "export/BoardCoordinates.h"
#include "export/ExportVersion.h"

namespace zelta {

namespace {

// Coordinates in 4.6 format: whole nanometres, leading zeros left out.
std::string point(int64_t x, int64_t y) {
    return joined({"X", std::to_string(x), "Y", std::to_string(y)});
}

std::string attribute(const std::string& text) {
    return joined({"G04 #@! ", text, "*\n"});
}

// A rectangle with corners of radius $3, $1 wide and $2 high: two crossing rectangles and a
// circle in each corner.
const char* const RoundedRectangleMacro = "%AMRoundRect*\n"
                                          "21,1,$1,$2-$3-$3,0,0,0*\n"
                                          "21,1,$1-$3-$3,$2,0,0,0*\n"
                                          "1,1,$3+$3,$1/2-$3,$2/2-$3*\n"
                                          "1,1,$3+$3,$3-$1/2,$2/2-$3*\n"
                                          "1,1,$3+$3,$3-$1/2,$3-$2/2*\n"
                                          "1,1,$3+$3,$1/2-$3,$3-$2/2*%\n";

// The first aperture code a file may use.
constexpr int FirstApertureCode = 10;

} // namespace

GerberWriter::GerberWriter(std::string fileFunction, std::string comment)
    : fileFunction_(std::move(fileFunction)), comment_(std::move(comment)) {}

int GerberWriter::aperture(const std::string& definition, const std::string& function) {
    const auto key = std::make_pair(definition, function);
    const auto found = codes_.find(key);
    if (found != codes_.end())
        return found->second;
    const int code = FirstApertureCode + static_cast<int>(codes_.size());
    codes_.emplace(key, code);
    if (!function.empty())
        definitions_ += attribute(joined({"TA.AperFunction,", function}));
    definitions_ += joined({"%ADD", std::to_string(code), definition, "*%\n"});
    if (!function.empty())
        definitions_ += attribute("TD");
    return code;
}

int GerberWriter::circle(int64_t diameter, const std::string& function) {
    return aperture(joined({"C,", mmText(diameter)}), function);
}

int GerberWriter::rectangle(int64_t width, int64_t height, const std::string& function) {
    return aperture(joined({"R,", mmText(width), "X", mmText(height)}), function);
}

int GerberWriter::obround(int64_t width, int64_t height, const std::string& function) {
    if (width == height)
        return circle(width, function);
    return aperture(joined({"O,", mmText(width), "X", mmText(height)}), function);
}

int GerberWriter::roundedRectangle(int64_t width, int64_t height, int64_t radius,
                                   const std::string& function) {
    if (radius <= 0)
        return rectangle(width, height, function);
    roundedRectangleMacro_ = true;
    return aperture(joined({"RoundRect,", mmText(width), "X", mmText(height), "X", mmText(radius)}),
                    function);
}

void GerberWriter::select(int aperture) {
    if (aperture == current_)
        return;
    body_ += joined({"D", std::to_string(aperture), "*\n"});
    current_ = aperture;
}

void GerberWriter::flash(int aperture, int64_t x, int64_t y) {
    select(aperture);
    body_ += joined({point(x, y), "D03*\n"});
}

void GerberWriter::line(int aperture, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    // A line of no length is the aperture's dot.
    if (x1 == x2 && y1 == y2) {
        flash(aperture, x1, y1);
        return;
    }
    select(aperture);
    body_ += joined({point(x1, y1), "D02*\n", point(x2, y2), "D01*\n"});
}

std::string GerberWriter::text() const {
    std::string out = joined({"G04 ", comment_, "*\n"});
    out += attribute(joined({"TF.GenerationSoftware,Zelta,Zelta,", ExportVersion}));
    out += attribute(joined({"TF.FileFunction,", fileFunction_}));
    out += attribute("TF.FilePolarity,Positive");
    out += attribute("TF.Part,Single");
    out += "%FSLAX46Y46*%\n%MOMM*%\n%LPD*%\n";
    if (roundedRectangleMacro_)
        out += RoundedRectangleMacro;
    out += definitions_;
    out += "G01*\n";
    out += body_;
    out += "M02*\n";
    return out;
}

} // namespace zelta
