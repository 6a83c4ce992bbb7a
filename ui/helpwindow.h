// The help window: HTML pages from the resources in the current language,
// with back, forward and contents.
#pragma once

#include "present/languages.h"

#include <QMainWindow>

class QTextBrowser;

namespace qeln::ui {

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the page of a help context (0: the contents page) in the language.
    void showContext(int context, Language language);
    QUrl currentPage() const;
    QTextBrowser* browser() const { return browser_; }

    static HelpWindow* instance();

private:
    // Puts a window that was never shown beside its owner, fully on the screen.
    void placeBeside(QWidget* owner);

    QTextBrowser* browser_;
    bool placed_ = false;
};

// The resource address of a help page.
QUrl helpUrl(int context, Language language);

} // namespace qeln::ui
