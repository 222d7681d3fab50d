// An RS-274X file in millimetres with its X2 attributes: every aperture it uses, each defined once
// with its function, then the flashes and lines in the order given. The attributes are written as
// the "#@!" comments that attribute-aware readers take and older readers skip without a complaint.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace zelta {

class GerberWriter {
public:
    // fileFunction: the value of the file's FileFunction attribute ("Copper,L1,Bot"); comment: a
    // line that says what the file is, for a person.
    GerberWriter(std::string fileFunction, std::string comment);

    // The code of an aperture of this shape (sizes in nanometres) and function, defined on first
    // use; an empty function gives the aperture no function attribute.
    int circle(int64_t diameter, const std::string& function);
    int rectangle(int64_t width, int64_t height, const std::string& function);
    // A rectangle with half circles at the ends of its longer side.
    int obround(int64_t width, int64_t height, const std::string& function);
    int roundedRectangle(int64_t width, int64_t height, int64_t radius, const std::string& function);

    void flash(int aperture, int64_t x, int64_t y);
    void line(int aperture, int64_t x1, int64_t y1, int64_t x2, int64_t y2);

    // The whole file.
    std::string text() const;

private:
    int aperture(const std::string& definition, const std::string& function);
    void select(int aperture);

    std::string fileFunction_;
    std::string comment_;
    // Definition and function -> code; the definitions in the order of their codes.
    std::map<std::pair<std::string, std::string>, int> codes_;
    std::string definitions_;
    bool roundedRectangleMacro_ = false;
    std::string body_;
    int current_ = -1;
};

} // namespace zelta
