// Names of the figure fields, as the window's controls are named.
#include "core/ReportSink.h"

namespace zelta {

const char* fieldName(Field field) {
    switch (field) {
    case Field::file_in:
        return "file_in";
    case Field::righe_in:
        return "righe_in";
    case Field::warning:
        return "warning";
    case Field::piaztot:
        return "piaztot";
    case Field::nettot:
        return "nettot";
    case Field::larg:
        return "larg";
    case Field::alt:
        return "alt";
    case Field::ciclitot:
        return "ciclitot";
    case Field::ciclivuoto:
        return "ciclivuoto";
    case Field::piazzscoll:
        return "piazzscoll";
    case Field::valore:
        return "valore";
    case Field::file_out:
        return "file_out";
    case Field::piste_out:
        return "piste_out";
    case Field::righe_out:
        return "righe_out";
    case Field::ponticelli:
        return "ponticelli";
    }
    return "";
}

} // namespace zelta
