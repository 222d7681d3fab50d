// The file filter in the toolkit's form.
#include "ui/Prompter.h"

#include <gtest/gtest.h>

namespace zelta::ui {
namespace {

TEST(FileFilter, PairsOfNameAndPatternBecomeOneEntryEach) {
    EXPECT_EQ(qtFileFilter("Fidocad files|*.fcd|Tutti i files|*.*").toStdString(),
              "Fidocad files (*.fcd);;Tutti i files (*.*)");
    EXPECT_EQ(qtFileFilter("Disegni|*.fcd;*.txt").toStdString(), "Disegni (*.fcd *.txt)");
}

} // namespace
} // namespace zelta::ui
