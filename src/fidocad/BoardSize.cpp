// The report line of a refused board size.
#include "fidocad/BoardSize.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "core/Units.h"

namespace zelta {

namespace {

// The widest size that still gives `cells` columns or rows: a cell more, less one unit.
int32_t widestUnits(int cells) {
    return (cells + 1) * UnitsPerCell - 1;
}

} // namespace

std::string millimetres(int32_t units) {
    // 64 bits: the magnitude of the most negative 32-bit number does not fit in 32.
    const int64_t magnitude = units < 0 ? -int64_t{units} : int64_t{units};
    std::string text = units < 0 ? "-" : "";
    text += std::to_string(magnitude / UnitsPerMm);
    // An eighth of a millimetre is 0.125: three decimals are always exact.
    const int thousandths = static_cast<int>(magnitude % UnitsPerMm) * 125;
    if (thousandths != 0) {
        std::string decimals = std::to_string(1000 + thousandths).substr(1);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += "," + decimals;
    }
    return text;
}

std::string boardSizeReport(int32_t boardWidth, int32_t boardHeight) {
    const int32_t minUnits = MinBoardCells * UnitsPerCell;
    return strprintf(msg::Err105Size, boardWidth / UnitsPerCell, boardHeight / UnitsPerCell,
                     millimetres(boardWidth).c_str(), millimetres(boardHeight).c_str(), MinBoardCells,
                     MinBoardCells, MaxBoardCols, MaxBoardRows, millimetres(minUnits).c_str(),
                     millimetres(minUnits).c_str(), millimetres(widestUnits(MaxBoardCols)).c_str(),
                     millimetres(widestUnits(MaxBoardRows)).c_str());
}

} // namespace zelta
