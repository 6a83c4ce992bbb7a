#include "windowplaces.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace qeln::ui {

namespace {
constexpr const char* kPlacedProperty = "qelnPlaced";

QMargins frameMargins(const QWidget* w)
{
    const QRect frame = w->frameGeometry(), client = w->geometry();
    if (w->isVisible() && frame != client)
        return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                frame.bottom() - client.bottom()};
    // not shown yet, or a platform without frames: room for a title bar all the same
    return {0, w->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0};
}
} // namespace

QRect availableArea(const QWidget* w)
{
    QScreen* s = w ? w->screen() : nullptr;
    if (!s)
        s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect clientArea(const QWidget* w) { return availableArea(w).marginsRemoved(frameMargins(w)); }

QRect fittedInto(QRect r, const QRect& area)
{
    r.setSize(r.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

void fitIntoScreen(QWidget* w)
{
    if (w->isMaximized() || w->isFullScreen())
        return;
    const QRect area = clientArea(w);
    const QRect now = w->geometry();
    // a window that never was on this screen starts in its middle
    QRect r = area.intersects(now) ? now : QRect(area.center() - QPoint(now.width() / 2, now.height() / 2), now.size());
    r = fittedInto(r, area);
    if (r != now)
        w->setGeometry(r);
}

void WindowPlaces::track(QWidget* w, const QWidget* owner)
{
    w->installEventFilter(this);
    tracked_[w] = w;
    if (owner)
        owners_[w] = owner;
    connect(w, &QObject::destroyed, this, [this](QObject* o) {
        tracked_.erase(o);
        owners_.erase(o);
    });
}

std::map<std::string, WindowPlace> WindowPlaces::places() const
{
    auto* self = const_cast<WindowPlaces*>(this);
    for (const auto& [o, w] : tracked_)
        if (w && w->isVisible())
            self->note(w);
    return places_;
}

void WindowPlaces::note(const QWidget* w)
{
    if (w->objectName().isEmpty())
        return;
    const bool maximised = w->isMaximized();
    const QRect g = maximised ? w->normalGeometry() : w->geometry();
    if (g.width() < 1 || g.height() < 1)
        return;
    places_[w->objectName().toStdString()] = WindowPlace{g.x(), g.y(), g.width(), g.height(), maximised};
}

bool WindowPlaces::restore(QWidget* w)
{
    const auto it = places_.find(w->objectName().toStdString());
    if (it == places_.end())
        return false;
    const WindowPlace& p = it->second;
    // the screen may be smaller than at the last start
    w->setGeometry(fittedInto(QRect(p.x, p.y, p.width, p.height), clientArea(w)));
    if (p.maximised)
        QTimer::singleShot(0, w, [w] { w->setWindowState(w->windowState() | Qt::WindowMaximized); });
    return true;
}

void WindowPlaces::firstShow(QWidget* w)
{
    w->setProperty(kPlacedProperty, true);
    if (restore(w))
        return;
    const auto owner = owners_.find(w);
    if (owner != owners_.end() && owner->second && owner->second->isVisible()) {
        // beside its owner where there is room, right before left; else where Qt put it
        const QRect o = owner->second->frameGeometry(), area = clientArea(w);
        QRect r = w->geometry();
        r.setSize(r.size().boundedTo(area.size()));
        const int gap = 8;
        if (o.right() + gap + r.width() <= area.right())
            r.moveTopLeft(QPoint(o.right() + gap, o.top() + frameMargins(w).top()));
        else if (o.left() - gap - r.width() >= area.left())
            r.moveTopLeft(QPoint(o.left() - gap - r.width(), o.top() + frameMargins(w).top()));
        w->setGeometry(fittedInto(r, area));
    }
    fitIntoScreen(w);
}

bool WindowPlaces::eventFilter(QObject* watched, QEvent* e)
{
    const auto it = tracked_.find(watched);
    if (it != tracked_.end() && it->second && it->second->isWindow()) {
        QWidget* w = it->second;
        if (e->type() == QEvent::Show) {
            if (!w->property(kPlacedProperty).toBool())
                firstShow(w);
            else
                fitIntoScreen(w);
        } else if (e->type() == QEvent::Hide) {
            note(w);
        }
    }
    return QObject::eventFilter(watched, e);
}

WindowPlaces& windowPlaces()
{
    static WindowPlaces places;
    return places;
}

} // namespace qeln::ui
