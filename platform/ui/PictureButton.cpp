#include "platform/ui/PictureButton.h"

#include "platform/ui/ControlEvents.h"
#include "platform/ui/Twips.h"

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    ControlEvents* events = Events(this);
    connect(events, &ControlEvents::Click, this, &PictureButton::Click);
    connect(events, &ControlEvents::DblClick, this, &PictureButton::DblClick);
    connect(events, &ControlEvents::MouseDown, this, &PictureButton::MouseDown);
    connect(events, &ControlEvents::MouseUp, this, &PictureButton::MouseUp);
    connect(events, &ControlEvents::MouseMove, this, &PictureButton::MouseMove);
}

void PictureButton::SetPicture(const QPixmap& picture) {
    setPixmap(picture);
}

void PictureButton::MoveByTwips(int dxTwips, int dyTwips) {
    move(x() + TwipsToPixels(dxTwips), y() + TwipsToPixels(dyTwips));
}

int PictureButton::LeftTwips() const {
    return ::LeftTwips(this);
}
int PictureButton::TopTwips() const {
    return ::TopTwips(this);
}
