// The help window and the map from help contexts to pages.
#include "ui/HelpWindow.h"

#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelta::ui {

namespace {

const char* const NotFoundHtml = "<h2>Pagina non trovata</h2>"
                                 "<p>La pagina <tt>%1</tt> non fa parte della guida.</p>"
                                 "<p><a href=\"qrc:/help/indice.html\">Torna all'indice</a></p>";

// The window the person was working in when asking for help: the one to open beside.
QWidget* askingWindow(const QWidget* help) {
    if (QWidget* active = QApplication::activeWindow(); active && active != help)
        return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != help && w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return w;
    return nullptr;
}

QString resourcePath(const QUrl& url) {
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    return url.toLocalFile();
}

} // namespace

QString helpPage(int context) {
    switch (context) {
    case HelpNovita:
        return QStringLiteral("novita.html");
    case HelpLicenza:
        return QStringLiteral("licenza.html");
    case HelpMainWindow:
        return QStringLiteral("finestra.html");
    case HelpBoardOptions:
        return QStringLiteral("opzioni-scheda.html");
    case HelpOptions:
        return QStringLiteral("opzioni.html");
    case HelpAdvancedOptions:
        return QStringLiteral("opzioni-avanzate.html");
    default:
        return {};
    }
}

QString helpContentsPage() {
    return QStringLiteral("indice.html");
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    QVariant data = QTextBrowser::loadResource(type, name);
    if (type == QTextDocument::HtmlResource && !data.isValid())
        return QString::fromUtf8(NotFoundHtml).arg(name.fileName().toHtmlEscaped());
    return data;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new HelpBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Zelta! - Guida in linea"));
    browser_->setObjectName(QStringLiteral("browser"));
    browser_->setOpenExternalLinks(true);

    auto* contents = new QPushButton(QStringLiteral("Indice"), this);
    contents->setObjectName(QStringLiteral("contents"));
    auto* back = new QPushButton(QStringLiteral("< Indietro"), this);
    back->setObjectName(QStringLiteral("back"));
    auto* forward = new QPushButton(QStringLiteral("Avanti >"), this);
    forward->setObjectName(QStringLiteral("forward"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(620, 520);
}

void HelpWindow::showContents() {
    open(helpContentsPage());
}

void HelpWindow::showContext(int context) {
    const QString page = helpPage(context);
    open(page.isEmpty() ? helpContentsPage() : page);
}

QString HelpWindow::currentPage() const {
    return resourcePath(browser_->source());
}

void HelpWindow::open(const QString& page) {
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    present();
}

void HelpWindow::present() {
    // While a modal dialog shows, every window that is not its child is blocked; the help
    // window becomes the dialog's child for as long as it shows over it.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* wanted = modal && modal != this ? modal : nullptr;
    if (parentWidget() != wanted) {
        const QRect place = geometry();
        setParent(wanted, Qt::Window);
        setGeometry(place);
    }
    if (!isVisible()) {
        placeWindow(*this, wanted ? wanted : askingWindow(this), placed_);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

} // namespace zelta::ui
