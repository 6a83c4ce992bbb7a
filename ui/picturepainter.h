// Replays a recorded vector picture (the section drawing) with QPainter,
// scaled to fit a rectangle and centred, sharp at any size and on any device
// (screen or printer).
#pragma once

#include "present/picture.h"

#include <QRectF>
#include <QWidget>

class QPainter;

namespace qeln::ui {

// Draws pic into target keeping its proportions, centred. Lines are never
// thinner than one device pixel.
void paintPicture(QPainter& p, const Picture& pic, const QRectF& target);

// The graphic window's image: shows a picture scaled to fit.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    void setPicture(const Picture& pic);
    const Picture& picture() const { return pic_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Picture pic_;
};

} // namespace qeln::ui
