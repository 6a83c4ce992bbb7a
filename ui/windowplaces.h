// Where the windows go: never larger than the free area of their screen,
// and back where the user left them at the last start (kept in the settings
// file through shell/settings).
#pragma once

#include "shell/settings.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <map>
#include <string>

class QWidget;

namespace qeln::ui {

// The free area of a window's screen (the primary screen's when it has none).
QRect availableArea(const QWidget* w);
// The client area a window may take there: the area less its frame (the
// frame's real size once shown, else a title bar's height at the top).
QRect clientArea(const QWidget* w);
// A client rectangle moved and, where needed, shrunk into `area`.
QRect fittedInto(QRect r, const QRect& area);
// Makes a window fit the free area of its screen: smaller when too large,
// moved inside when partly outside.
void fitIntoScreen(QWidget* w);

class WindowPlaces : public QObject {
public:
    explicit WindowPlaces(QObject* parent = nullptr) : QObject(parent) {}

    // Follows a top-level window by its object name: the first time it is
    // shown it goes to its stored place (fitted into the screen), else beside
    // `owner` when one is given and there is room, else it is fitted where
    // it is; every later showing fits it again. Each hiding notes its place.
    void track(QWidget* w, const QWidget* owner = nullptr);
    // The places read from the settings; noted places replace them.
    void setPlaces(std::map<std::string, WindowPlace> places) { places_ = std::move(places); }
    // The places to save: those read, with the last of every window tracked
    // (the visible ones as they are now).
    std::map<std::string, WindowPlace> places() const;
    // Puts a window that is already shown (the main window, which appears
    // before the settings are read) at its stored place; false when none.
    bool restore(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void note(const QWidget* w);
    void firstShow(QWidget* w);

    std::map<std::string, WindowPlace> places_;
    std::map<const QObject*, QPointer<const QWidget>> owners_;
    std::map<const QObject*, QPointer<QWidget>> tracked_;
};

// The places of the program's windows (the help window has no owner to keep them).
WindowPlaces& windowPlaces();

} // namespace qeln::ui
