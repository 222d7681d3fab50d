// The board view's legend: samples drawn by the board's own painter, each beside its meaning.
#include "ui/BoardView.h"

#include "core/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace zelta::ui {

namespace {

// A sample a little higher than a line of text, twice as wide.
class SampleTile : public QWidget {
public:
    SampleTile(LegendSample sample, QWidget* parent) : QWidget(parent), sample_(sample) {
        const int h = fontMetrics().height() + 5;
        setFixedSize(2 * h, h);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintLegendSample(painter, sample_, QRectF(rect()));
    }

private:
    LegendSample sample_;
};

struct Entry {
    LegendSample sample;
    const char* caption;
    const char* explanation;
};

const Entry Entries[] = {
    {LegendSample::NetColours, "Un colore per net",
     "Piazzole e piste della stessa net hanno lo stesso colore"},
    {LegendSample::NoNet, "Net 0", "Piazzole da non collegare"},
    {LegendSample::Unconnected, "Piazzola scollegata",
     "Fuori dal gruppo maggiore della sua net: le piste del giro migliore non la uniscono alle altre"},
    {LegendSample::Rat, "Collegamento mancante",
     "Unisce le piazzole più vicine di due gruppi della stessa net che le piste non uniscono"},
    {LegendSample::Jumper, msg::LegendJumper, msg::LegendJumperExplained},
};

} // namespace

BoardLegend::BoardLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("legend"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 0);
    row->setSpacing(4);
    for (const Entry& e : Entries) {
        auto* tile = new SampleTile(e.sample, this);
        auto* caption = new QLabel(QString::fromUtf8(e.caption), this);
        tile->setToolTip(QString::fromUtf8(e.explanation));
        caption->setToolTip(QString::fromUtf8(e.explanation));
        row->addWidget(tile);
        row->addWidget(caption);
        row->addSpacing(10);
    }
    row->addStretch();
}

} // namespace zelta::ui
