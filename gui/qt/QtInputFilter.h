// QtInputFilter: watches every event Qt delivers in the application and passes the raw facts of
// the keyboard, the keyboard focus and the application's activation to the program's windows.
// A key goes to the window its receiver lies in, whichever control has the focus; a key the
// window's policy took (dialog keys, hot keys) never reaches the control.
#pragma once

#include <QObject>

class QtInputFilter final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
