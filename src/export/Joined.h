// Text made of pieces, appended in order: `"literal" + std::to_string(n)` trips GCC 12's restrict
// check at -O3, as it inserts the literal before a temporary.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zelta {

inline std::string joined(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces)
        text += piece;
    return text;
}

} // namespace zelta
