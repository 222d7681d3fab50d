// The track-width dialog: its rows from the net table, the scroll bar's paging, the
// click-to-store rule, and a chosen width in the written file.
#include "UiFixture.h"

#include "ui/RadioGroup.h"
#include "ui/Spessore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <sstream>

namespace zelta::testing {
namespace {

class TrackWidths : public UiTest {
protected:
    void SetUp() override { startProgram(); }
    ui::TForm4& dialog() { return *forms->Form4; }
    NetTable& nets() { return *program().netTable; }
    std::vector<std::string> netTexts() {
        return {dialog().net1->text().toStdString(), dialog().net2->text().toStdString(),
                dialog().net3->text().toStdString(), dialog().net4->text().toStdString(),
                dialog().net5->text().toStdString()};
    }
    std::vector<int> choices() {
        return {dialog().spess1->itemIndex(), dialog().spess2->itemIndex(), dialog().spess3->itemIndex(),
                dialog().spess4->itemIndex(), dialog().spess5->itemIndex()};
    }
};

TEST_F(TrackWidths, RowsShowTheNetsInOrderWithTheirChoices) {
    nets() = {{9, 1}, {2, 1}, {5, 0}};
    dialog().show();
    EXPECT_EQ(netTexts(), (std::vector<std::string>{"2", "5", "9", "", ""}));
    EXPECT_EQ(choices(), (std::vector<int>{1, 0, 1, -1, -1}));
    EXPECT_EQ(dialog().Scroll->minimum(), 0);
    EXPECT_EQ(dialog().Scroll->maximum(), 3);
    EXPECT_EQ(dialog().windowTitle(), "Form4");
    dialog().hide();
}

TEST_F(TrackWidths, ScrollBarPagesThroughTheNetsToFiveEmptyRows) {
    nets() = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 2}, {7, 5}};
    dialog().show();
    dialog().Scroll->setValue(5);
    EXPECT_EQ(dialog().firstRow, 5);
    EXPECT_EQ(netTexts(), (std::vector<std::string>{"6", "7", "", "", ""}));
    EXPECT_EQ(choices(), (std::vector<int>{2, 5, -1, -1, -1}));
    dialog().Scroll->setValue(dialog().Scroll->maximum());
    EXPECT_EQ(dialog().Scroll->maximum(), 7);
    EXPECT_EQ(netTexts(), (std::vector<std::string>(5, "")));
    dialog().hide();

    // The position is kept for the next showing.
    dialog().show();
    EXPECT_EQ(dialog().Scroll->value(), 7);
    dialog().hide();
    EXPECT_EQ(nets(), (NetTable{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 2}, {7, 5}}))
        << "showing changes no choice";
}

TEST_F(TrackWidths, ClickStoresTheChoiceAtOnceAndEmptyRowsStoreNothing) {
    nets() = {{3, 1}, {8, 1}};
    dialog().show();
    dialog().spess2->button(5)->click();
    EXPECT_EQ(nets(), (NetTable{{3, 1}, {8, 5}}));
    dialog().spess4->button(0)->click();
    EXPECT_EQ(nets(), (NetTable{{3, 1}, {8, 5}}));
    dialog().hide();
}

// The "PL" records of a written file: net -> the widths its segments were written with.
std::map<int, std::set<int>> trackWidthsByNet(const std::string& file) {
    std::map<int, std::set<int>> widths;
    std::istringstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        int x1, y1, x2, y2, width, layer, net;
        if (fields >> kind && kind == "PL" && fields >> x1 >> y1 >> x2 >> y2 >> width >> layer >> net)
            widths[net].insert(width);
    }
    return widths;
}

TEST_F(TrackWidths, ChosenWidthReachesTheWrittenTracks) {
    forms.reset();
    startProgram("auto-layer0.ini");
    openBoard("dip8-555.fcd");
    // The first row holds the smallest net: its tracks get "0,25", two units wide.
    const int firstNet = nets().begin()->first;
    whenModalShows([&](QWidget*) {
        EXPECT_EQ(dialog().net1->text().toInt(), firstNet);
        dialog().spess1->button(0)->click();
        dialog().BitBtn1->click();
    });
    window().DimPiste->click();
    EXPECT_EQ(nets()[firstNet], 0);

    routeLaps(3);
    window().stop2->click();
    prompter.saveAnswers.push_back(scratch.file("routed.fcd"));
    window().start3->click();
    const auto widths = trackWidthsByNet(readFile(scratch.file("routed.fcd")));
    ASSERT_TRUE(widths.count(firstNet)) << "the net has tracks";
    for (const auto& [net, used] : widths)
        EXPECT_EQ(used, (std::set<int>{net == firstNet ? 2 : 4})) << "net " << net;
}

} // namespace
} // namespace zelta::testing
