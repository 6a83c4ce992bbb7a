#include "helpwindow.h"

#include "shell/language.h"
#include "uitext.h"
#include "widgets.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

#include <algorithm>

namespace qeln::ui {

QUrl helpUrl(int context, Language language)
{
    return QUrl(QString("qrc:/help/%1/%2")
                    .arg(QString::fromStdString(helpLanguageCode(language)),
                         QString::fromStdString(helpPageFor(context))));
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser(this))
{
    setObjectName("helpwindow");
    setWindowFlag(Qt::Window, true);
    browser_->setObjectName("helpbrowser");
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    auto* tb = addToolBar("help");
    tb->setObjectName("helptoolbar");
    tb->setMovable(false);
    tb->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = tb->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "");
    back->setObjectName("helpback");
    QAction* fwd = tb->addAction(style()->standardIcon(QStyle::SP_ArrowForward), "");
    fwd->setObjectName("helpforward");
    QAction* home = tb->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), "");
    home->setObjectName("helpcontents");
    back->setEnabled(false);
    fwd->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(fwd, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { showContext(0, currentLanguage()); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, fwd, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(browser_->documentTitle() + QString::fromUtf8(" \u2014 ") + appTitle()); });
    resize(720, 600);
}

void HelpWindow::showContext(int context, Language language)
{
    if (QAction* home = findChild<QAction*>("helpcontents"))
        home->setText(T(47));
    // A window opened from a modal dialog must belong to it, or the dialog
    // blocks it. A new parent drops the window's place: it keeps its frame
    // position and size once the user has seen it, else it opens beside its owner.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == this)
        owner = parentWidget();
    if (owner != parentWidget()) {
        const QPoint framePos = pos();
        const QSize size = this->size();
        setParent(owner, Qt::Window);
        resize(size);
        if (placed_)
            move(framePos);
    }
    if (!placed_) {
        placeBeside(owner);
        placed_ = true;
    }
    browser_->setSource(helpUrl(context, language));
    show();
    raise();
    activateWindow();
}

void HelpWindow::placeBeside(QWidget* owner)
{
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    QSize s = size().boundedTo(avail.size() * 9 / 10);
    resize(s);
    // beside the owner when there is room on its right, else centred on the screen;
    // the title bar always below the screen's top edge
    QPoint at = avail.center() - QPoint(s.width() / 2, s.height() / 2);
    if (owner) {
        const QRect o = owner->frameGeometry();
        if (o.right() + 8 + s.width() <= avail.right())
            at = QPoint(o.right() + 8, o.top());
    }
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - s.width())));
    at.setY(std::clamp(at.y(), avail.top() + titleBar, std::max(avail.top() + titleBar, avail.bottom() - s.height())));
    move(at);
}

QUrl HelpWindow::currentPage() const { return browser_->source(); }

HelpWindow* HelpWindow::instance()
{
    static QPointer<HelpWindow> w;
    if (!w) {
        w = new HelpWindow;
        QObject::connect(qApp, &QApplication::aboutToQuit, [] { delete w.data(); });
    }
    return w;
}

void showHelp(int context) { HelpWindow::instance()->showContext(context, currentLanguage()); }

} // namespace qeln::ui
