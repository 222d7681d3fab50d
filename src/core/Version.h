// The program's version, as the build gives it: the about box, --version and the package agree.
#pragma once

namespace zelta {

inline constexpr const char* ProgramVersion = ZELTA_VERSION;

} // namespace zelta
