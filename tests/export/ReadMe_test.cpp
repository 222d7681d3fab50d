// The read-me: each file named with what it holds, the units, the origin and the board's size.
#include "export/ReadMe.h"

#include <gtest/gtest.h>

namespace zelta {
namespace {

ReadMeFacts facts() {
    ReadMeFacts f;
    f.drawingFile = "scheda.fcd";
    f.names = ProductionNames::of("scheda");
    f.widthNm = 74930000;
    f.heightNm = 99060000;
    f.pads = 12;
    f.tracks = 30;
    f.wireLinks = 2;
    f.surfacePads = 1;
    f.tools = {{762000, {{0, 0, 762000}, {1, 1, 762000}}}, {1016000, {{2, 2, 1016000}}}};
    return f;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ReadMe, NamesEveryFileWithTheUnitsTheOriginAndTheSize) {
    const std::string text = readMeText(facts());
    for (const std::string& file : ProductionNames::of("scheda").all())
        EXPECT_TRUE(has(text, "\n" + file + "\n")) << file;
    EXPECT_TRUE(has(text, "\"scheda.fcd\""));
    EXPECT_TRUE(has(text, "Scheda: 74,93 x 99,06 mm"));
    EXPECT_TRUE(has(text, "Unità: millimetri; un'unità FidoCAD vale 0,127 mm."));
    EXPECT_TRUE(has(text, "l'angolo in basso a sinistra della scheda"));
    EXPECT_TRUE(has(text, "12 piazzole"));
    EXPECT_TRUE(has(text, "30 piste"));
    EXPECT_TRUE(has(text, "3 fori"));
    EXPECT_TRUE(has(text, "T1  0,762 mm  2 fori\n      T2  1,016 mm  1 foro"));
    EXPECT_TRUE(has(text, "foratura 0 non ha foro"));
    EXPECT_TRUE(has(text, "(in questa scheda: 1)"));
    EXPECT_TRUE(has(text, "2 ponticelli"));
    EXPECT_TRUE(has(text, "come nel disegno (non speculare)"));
    EXPECT_FALSE(has(text, "Attenzione")) << "no pad was left out";
}

TEST(ReadMe, SaysWhenThePrintIsMirroredAndWhenPadsWereLeftOut) {
    ReadMeFacts f = facts();
    f.mirror = true;
    f.padsLeftOut = 3;
    const std::string text = readMeText(f);
    EXPECT_TRUE(has(text, "speculare rispetto al disegno"));
    EXPECT_TRUE(has(text, "Attenzione: 3 piazzole del disegno"));
}

} // namespace
} // namespace zelta
