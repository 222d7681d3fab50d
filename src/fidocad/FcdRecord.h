// The FidoCAD text record: a line split into its kind and numbered fields at spaces.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelta {

// Splits line at spaces (runs of spaces are one separator, leading spaces vanish; a tab is part
// of a field, and so is a carriage return, except among the spaces after the last field, which
// vanish with them). fields[0] receives the kind (empty for an all-space line), fields[1..] the
// fields.
void splitFields(std::string_view line, std::vector<std::string_view>& fields);

// The leading decimal integer of a field (optional sign), 0 when it does not start with one.
// Values beyond 32 bits saturate at the nearest limit.
int32_t leadingInt(std::string_view field);

// Field i of a split record as a number; a field the record does not have reads as 0.
inline int32_t fieldInt(const std::vector<std::string_view>& fields, size_t i) {
    return i < fields.size() ? leadingInt(fields[i]) : 0;
}

// The board outline: the first "RV" rectangle on the chosen layer, replaced by a later one whose
// corner lies at or before the corner taken so far in both coordinates. The corner is cut to a
// multiple of 10 (towards zero).
struct Outline {
    int32_t originX = 99999;
    int32_t originY = 99999;
    int32_t width = 0;
    int32_t height = 0;
    bool found = false;

    void consider(const std::vector<std::string_view>& fields, int32_t layer);
};

} // namespace zelta
