// The help window: each context on its page, every bundled page reachable by its links, and a
// notice instead of an empty window for a page that is missing.
#include "ui/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace zelta::ui {
namespace {

TEST(Help, EveryContextOpensAPageThatIsBundled) {
    HelpWindow help;
    help.setAttribute(Qt::WA_DontShowOnScreen);
    for (int context :
         {HelpNovita, HelpLicenza, HelpMainWindow, HelpBoardOptions, HelpOptions, HelpAdvancedOptions}) {
        help.showContext(context);
        EXPECT_EQ(help.currentPage(), ":/help/" + helpPage(context)) << context;
        EXPECT_TRUE(QFile::exists(help.currentPage())) << help.currentPage().toStdString();
        EXPECT_FALSE(help.browser()->toPlainText().contains("Pagina non trovata"));
    }
    help.showContents();
    EXPECT_EQ(help.currentPage(), ":/help/indice.html");
    EXPECT_TRUE(QFile::exists(help.currentPage()));
}

TEST(Help, LinksBetweenPagesLeadToBundledPages) {
    const QStringList pages = QDir(":/help").entryList({"*.html"});
    ASSERT_FALSE(pages.isEmpty());
    const QRegularExpression href(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    for (const QString& page : pages) {
        QFile file(":/help/" + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = href.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target))
                << page.toStdString() << " links to " << target.toStdString();
        }
    }
}

TEST(Help, FollowsALinkAndShowsANoticeForAMissingPage) {
    HelpWindow help;
    help.setAttribute(Qt::WA_DontShowOnScreen);
    help.showContents();
    // The keyboard way of following the first link of the contents page.
    HelpBrowser& browser = *help.browser();
    browser.setFocus();
    QTest::keyClick(&browser, Qt::Key_Tab);
    ASSERT_TRUE(browser.textCursor().hasSelection());
    QTest::keyClick(&browser, Qt::Key_Return);
    const QString followed = help.currentPage();
    EXPECT_NE(followed, ":/help/indice.html");
    EXPECT_TRUE(QFile::exists(followed)) << followed.toStdString();

    browser.setSource(QUrl("qrc:/help/manca.html"));
    EXPECT_TRUE(browser.toPlainText().contains("Pagina non trovata"));
    browser.backward();
    EXPECT_EQ(help.currentPage(), followed);
}

} // namespace
} // namespace zelta::ui
