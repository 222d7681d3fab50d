// The help window: the program's own Italian help pages, bundled as resources under :/help/,
// shown in a browser that follows the links between them.
#pragma once

#include <QTextBrowser>
#include <QWidget>

namespace zelta::ui {

// Help contexts opened by the program.
inline constexpr int HelpNovita = 2;
inline constexpr int HelpLicenza = 4;
inline constexpr int HelpMainWindow = 5;
inline constexpr int HelpBoardOptions = 9;
inline constexpr int HelpOptions = 10;
inline constexpr int HelpAdvancedOptions = 11;

// The page of a help context ("" for a context that has none), and the contents page.
QString helpPage(int context);
QString helpContentsPage();

// A browser that shows a short notice instead of an empty page when a page is missing.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContents();
    void showContext(int context);
    // The page shown, as a resource path (":/help/indice.html").
    QString currentPage() const;
    HelpBrowser* browser() const { return browser_; }

private:
    void open(const QString& page);
    // Brings the window up so that it can be used even while a modal dialog is showing; on
    // opening, it goes beside the window that asked for help, on that window's screen.
    void present();

    HelpBrowser* browser_;
    bool placed_ = false;
};

} // namespace zelta::ui
