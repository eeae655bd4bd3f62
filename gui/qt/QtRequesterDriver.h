// QtRequesterDriver: the requesters of the Qt platform as Qt dialogs, each owned by the active
// program window, topmost, and run modally (Qt's own event loop keeps every window and timer
// going meanwhile). It also shows the runtime's error boxes while it runs.
#pragma once

#include "gui/KXRequesterDriver.h"

class QWidget;

class QtRequesterDriver final : public KXRequesterDriver {
public:
    QtRequesterDriver();

protected:
    bool startDependencies() override;
    Answer messageBox(const std::string& caption, const std::string& text, Buttons buttons, bool serious) override;
    bool chooseColor(uint32_t& rgb, CustomColors& custom) override;
    bool chooseDir(const std::string& prompt, const std::string& start, std::string& chosen) override;
    bool chooseFile(const KXFileRequest& request, std::string& chosen) override;
    KXFont* chooseFont() override;

private:
    // The native window of the active program window, or null.
    static QWidget* owner();
};
