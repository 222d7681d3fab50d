// Splitting, joining and number reading of FidoCAD records.
#include "fidocad/FcdRecord.h"

#include <algorithm>

namespace zelta {

void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    size_t i = 0;
    size_t n = line.size();
    // Spaces and carriage returns after the last field are the line's end. A carriage return
    // kept at the end of the last field would end the re-joined record and be taken for part
    // of its line end when the record is read again.
    while (n > 0 && (line[n - 1] == ' ' || line[n - 1] == '\r'))
        --n;
    while (i < n) {
        while (i < n && line[i] == ' ')
            ++i;
        if (i == n)
            break;
        size_t start = i;
        while (i < n && line[i] != ' ')
            ++i;
        fields.push_back(line.substr(start, i - start));
    }
    if (fields.empty())
        fields.emplace_back();
}

int32_t leadingInt(std::string_view field) {
    size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    int64_t v = 0;
    bool any = false;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        any = true;
        if (v <= int64_t{INT32_MAX} + 1)
            v = v * 10 + (field[i] - '0');
    }
    if (!any)
        return 0;
    if (negative)
        v = -v;
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

void Outline::consider(const std::vector<std::string_view>& fields, int32_t layer) {
    if (fields[0] != "RV" || fieldInt(fields, 5) != layer || fieldInt(fields, 1) > originX ||
        fieldInt(fields, 2) > originY)
        return;
    originX = fieldInt(fields, 1) / 10 * 10;
    originY = fieldInt(fields, 2) / 10 * 10;
    auto clamp32 = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    width = clamp32(int64_t{fieldInt(fields, 3)} - originX);
    height = clamp32(int64_t{fieldInt(fields, 4)} - originY);
    found = true;
}

} // namespace zelta
