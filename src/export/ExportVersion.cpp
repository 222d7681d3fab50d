// The version comes from the build (the project's version).
#include "export/ExportVersion.h"

namespace zelta {

const char* const ExportVersion = ZELTA_VERSION;

} // namespace zelta
