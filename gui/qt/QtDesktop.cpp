// The Qt desktop gadget.
#include "gui/qt/QtDesktop.h"

#include <QGuiApplication>
#include <QScreen>

QtDesktop::QtDesktop()
{
    QRect r = QGuiApplication::primaryScreen()->virtualGeometry();
    KXDesktop::setShape(r.x(), r.y(), r.width(), r.height());
    setVisible(true);
}
