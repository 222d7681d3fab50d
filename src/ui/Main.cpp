// Construction of the main window: its controls and menu first, then the shared objects.
#include "ui/Main.h"

#include "core/Messages.h"
#include "ui/BoardView.h"
#include "ui/Glyphs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelta::ui {

namespace {

// The client area the window is laid out for; fonts that need more make it grow.
constexpr int ClientWidth = 361;
constexpr int ClientHeight = 420;

QLineEdit* figureField(QWidget* parent, const char* name, int minimumChars) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    edit->setPalette(p);
    const int width = edit->fontMetrics().horizontalAdvance(QString(minimumChars, QLatin1Char('0'))) + 12;
    edit->setMinimumWidth(width);
    return edit;
}

// A framed group with its figures in a grid, spaced close.
QGridLayout* groupGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    return grid;
}

QLabel* caption(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton* commandButton(QWidget* parent, const char* name, const char* text, const char* glyphName) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QLatin1String(name));
    if (glyphName)
        button->setIcon(glyph(glyphName));
    return button;
}

QAction* menuEntry(QMenu* menu, const char* name, const char* text) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TForm1::TForm1(const ProgramOptions& options, Prompter& prompter, HelpWindow& help)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      help_(help) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zelta!"));
    createControls();
    createMenu();

    // The window does not resize: it takes the size its fonts need, at least the client area
    // it was drawn for.
    QWidget* client = centralWidget();
    client->setMinimumSize(client->layout()->minimumSize().expandedTo(QSize(ClientWidth, ClientHeight)));
    setFixedSize(minimumSizeHint());

    host = std::make_unique<QtHost>(*this, prompter);
    host->fields = {file_in,    righe_in,   warning, piaztot,  nettot,    larg,      alt,       ciclitot,
                    ciclivuoto, piazzscoll, valore,  file_out, piste_out, righe_out, ponticelli};
    host->report = report;
    host->onProcessingStateChanged = [this](bool processing) { setProcessingState(processing); };

    program = std::make_unique<Program>(*host, options);
    // The worker's figures and report lines wait in a queue until the window's thread takes them.
    outputTimer_ = new QTimer(this);
    outputTimer_->setSingleShot(true);
    outputTimer_->setInterval(40);
    connect(outputTimer_, &QTimer::timeout, this, &TForm1::takeWorkerOutput);
    program->onWorkerOutput = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!outputTimer_->isActive())
                    outputTimer_->start();
            },
            Qt::QueuedConnection);
    };
    // The plane is copied on the worker's thread, before its next lap can change it; the view
    // only ever sees copies.
    program->onBestImproved = [this](const int32_t* bestPlane, const JumperList& jumpers) {
        auto copy = std::make_shared<const BestLap>(BestLap{{bestPlane, bestPlane + PlaneCells}, jumpers});
        std::lock_guard lock(handoverMutex_);
        handover_ = std::move(copy);
        if (handoverPosted_)
            return;
        handoverPosted_ = true;
        QMetaObject::invokeMethod(
            this, [this] { takeBestPlane(); }, Qt::QueuedConnection);
    };

    connectCommands();
    setProcessingState(false);
    Timer1->start();
    start1->setFocus();
}

TForm1::~TForm1() {
    // The worker ends before the window it reports to.
    program.reset();
}

void TForm1::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(logo(32));
    BtnOpz = commandButton(client, "BtnOpz", "Opzioni", "options");
    BtnOpz->setToolTip(QStringLiteral("Opzioni"));
    BtnBoardView = commandButton(client, "BtnBoardView", "Anteprima", "board");
    BtnBoardView->setToolTip(QStringLiteral("Anteprima scheda"));
    BitBtn1 = commandButton(client, "BitBtn1", "", "help");
    BitBtn1->setToolTip(QStringLiteral("Guida"));
    auto* toolbar = new QHBoxLayout;
    toolbar->addWidget(Image1);
    toolbar->addStretch();
    toolbar->addWidget(BtnBoardView);
    toolbar->addWidget(BtnOpz);
    toolbar->addWidget(BitBtn1);

    // Phase 1: the buttons on the left, the figures on the right; the longer captions reach
    // under the buttons.
    GroupBox1 = new QGroupBox(QStringLiteral(" Fase 1: Lettura file Fidocad "), client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    start1 = commandButton(GroupBox1, "start1", " Apri fcd", "open");
    DimPiste = commandButton(GroupBox1, "DimPiste", "Lar.Piste", "widths");
    file_in = figureField(GroupBox1, "file_in", 12);
    righe_in = figureField(GroupBox1, "righe_in", 5);
    warning = figureField(GroupBox1, "warning", 4);
    piaztot = figureField(GroupBox1, "piaztot", 5);
    nettot = figureField(GroupBox1, "nettot", 4);
    larg = figureField(GroupBox1, "larg", 5);
    alt = figureField(GroupBox1, "alt", 4);
    auto* g1 = groupGrid(GroupBox1);
    g1->addWidget(start1, 0, 0);
    g1->addWidget(caption(GroupBox1, "Nome file:"), 0, 1);
    g1->addWidget(file_in, 0, 2, 1, 3);
    g1->addWidget(DimPiste, 1, 0);
    g1->addWidget(caption(GroupBox1, "Righe lette:"), 1, 1);
    g1->addWidget(righe_in, 1, 2);
    g1->addWidget(caption(GroupBox1, "Warning:"), 1, 3);
    g1->addWidget(warning, 1, 4);
    g1->addWidget(caption(GroupBox1, "Elementi estratti:  piazzole"), 2, 0, 1, 2);
    g1->addWidget(piaztot, 2, 2);
    g1->addWidget(caption(GroupBox1, "net"), 2, 3);
    g1->addWidget(nettot, 2, 4);
    g1->addWidget(caption(GroupBox1, "Dimensioni basetta: larg."), 3, 0, 1, 2);
    g1->addWidget(larg, 3, 2);
    g1->addWidget(caption(GroupBox1, "alt."), 3, 3);
    g1->addWidget(alt, 3, 4);

    GroupBox2 = new QGroupBox(QStringLiteral(" Fase 2: Elaborazione "), client);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    start2 = commandButton(GroupBox2, "start2", " Elabora", "start");
    stop2 = commandButton(GroupBox2, "stop2", " Stop el.", "stop");
    ciclitot = figureField(GroupBox2, "ciclitot", 5);
    ciclivuoto = figureField(GroupBox2, "ciclivuoto", 5);
    piazzscoll = figureField(GroupBox2, "piazzscoll", 4);
    valore = figureField(GroupBox2, "valore", 5);
    ponticelli = figureField(GroupBox2, "ponticelli", 4);
    barra = new QProgressBar(GroupBox2);
    barra->setObjectName(QStringLiteral("barra"));
    barra->setRange(0, 100);
    barra->setTextVisible(false);
    barra->setMaximumHeight(12);
    // Hidden while idle without the group changing its shape.
    QSizePolicy keep = barra->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    barra->setSizePolicy(keep);
    auto* g2 = groupGrid(GroupBox2);
    g2->addWidget(start2, 0, 0);
    g2->addWidget(caption(GroupBox2, "Cicli :  totale"), 0, 1);
    g2->addWidget(ciclitot, 0, 2);
    g2->addWidget(caption(GroupBox2, "a vuoto"), 0, 3);
    g2->addWidget(ciclivuoto, 0, 4);
    g2->addWidget(stop2, 1, 0);
    g2->addWidget(caption(GroupBox2, "Piazz. scollegate:"), 1, 1);
    g2->addWidget(piazzscoll, 1, 2);
    g2->addWidget(caption(GroupBox2, "Punteggio:"), 1, 3);
    g2->addWidget(valore, 1, 4);
    // Filled only when the router may lay jumpers.
    g2->addWidget(caption(GroupBox2, "Ponticelli:"), 2, 1);
    g2->addWidget(ponticelli, 2, 2);
    g2->addWidget(barra, 3, 0, 1, 5);

    GroupBox3 = new QGroupBox(QStringLiteral(" Fase 3: Scrittura file Fidocad"), client);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    start3 = commandButton(GroupBox3, "start3", "Salva fcd", "save");
    file_out = figureField(GroupBox3, "file_out", 12);
    piste_out = figureField(GroupBox3, "piste_out", 5);
    righe_out = figureField(GroupBox3, "righe_out", 5);
    auto* g3 = groupGrid(GroupBox3);
    g3->addWidget(start3, 0, 0);
    g3->addWidget(caption(GroupBox3, "Nome file:"), 0, 1);
    g3->addWidget(file_out, 0, 2, 1, 3);
    g3->addWidget(caption(GroupBox3, "Segmenti:"), 1, 1);
    g3->addWidget(piste_out, 1, 2);
    g3->addWidget(caption(GroupBox3, "Righe:"), 1, 3);
    g3->addWidget(righe_out, 1, 4);

    // Same width for the buttons of the three groups, so that the figures line up.
    int buttonWidth = 0;
    for (QPushButton* b : {start1, DimPiste, start2, stop2, start3})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    for (QPushButton* b : {start1, DimPiste, start2, stop2, start3})
        b->setFixedWidth(buttonWidth);

    report = new QPlainTextEdit(client);
    report->setObjectName(QStringLiteral("report"));
    report->setReadOnly(true);
    report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The log keeps the last lines only; "Salva report..." writes them all.
    report->setMaximumBlockCount(MaxLogLines);
    QPalette p = report->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    report->setPalette(p);
    // The log takes whatever height is left, never less than a few lines.
    report->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    report->setMinimumHeight(report->fontMetrics().lineSpacing() * 5 + 8);

    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(4);
    column->addLayout(toolbar);
    column->addWidget(GroupBox1);
    column->addWidget(GroupBox2);
    column->addWidget(GroupBox3);
    column->addWidget(report, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(250);
}

void TForm1::createMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    MenuStart1 = menuEntry(file, "MenuStart1", "&Apri fcd");
    MenuStart2 = menuEntry(file, "MenuStart2", "&Salva fcd");
    MenuExport = menuEntry(file, "MenuExport", "Esporta &immagine...");
    MenuProduction = menuEntry(file, "MenuProduction", msg::ProductionMenu);
    MenuSaveReport = menuEntry(file, "MenuSaveReport", "Salva &report...");
    file->addSeparator();
    N2 = menuEntry(file, "N2", "&Larg. piste");
    file->addSeparator();
    N3 = menuEntry(file, "N3", "Start &elaborazione");
    MenuExit = menuEntry(file, "MenuExit", "Stop ela&borazione");
    file->addSeparator();
    Uscita1 = menuEntry(file, "Uscita1", "&Uscita");

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Opzioni"));
    options->setObjectName(QStringLiteral("Opzioni1"));
    Modificaopzioni1 = menuEntry(options, "Modificaopzioni1", "&Modifica opzioni");

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Visualizza"));
    view->setObjectName(QStringLiteral("Visualizza1"));
    MenuBoardView = menuEntry(view, "MenuBoardView", "&Anteprima scheda");

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("Help1"));
    MenuHelp = menuEntry(helpMenu, "MenuHelp", "&Guida in linea");
    MenuHelp->setShortcut(QKeySequence(Qt::Key_F1));
    MenuAbout = menuEntry(helpMenu, "MenuAbout", "&Novità");
    Web1 = menuEntry(helpMenu, "Web1", "&Licenza && supporto");
    helpMenu->addSeparator();
    Informazioni1 = menuEntry(helpMenu, "Informazioni1", "&Informazioni");
}

} // namespace zelta::ui
