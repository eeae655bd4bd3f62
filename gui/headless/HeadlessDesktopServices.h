// HeadlessDesktopServices: the desktop-services contract over the headless world: the virtual
// desktop's pixels and windows, the virtual keyboard and a clipboard that holds one picture.
// Every operation that a real desktop would show is recorded in the call log.
#pragma once

#include "gui/KXDesktopServices.h"

class HeadlessDesktopServices final : public KXDesktopServices {
public:
    static HeadlessDesktopServices& instance();

    int screenWidth() const override;
    int screenHeight() const override;
    bool readScreen(const KXRect& rect, uint8_t* dst, int pitch, int format) override;

    int foregroundWindow() const override;
    bool windowInfo(int handle, KXDesktopWindowInfo& out) const override;
    int findWindow(const std::string& title) const override;
    int windowLong(int handle, int index) const override;
    int setWindowLong(int handle, int index, int value) override;
    bool setWindowIcon(int handle, const std::string& iconFile) override;

    bool isKeyDown(int vk) const override;
    bool takeKeyPressed(int vk) override;
    void sendKey(int vk, bool down) override;

    bool putClipboardPicture(const KXClipPicture& picture) override;
    bool clipboardPicture(KXClipPicture& out) override;
    bool hasClipboardPicture() override;
    void emptyClipboard() override;

    void beep() override;

    // Back to an empty clipboard and no beeps counted.
    void reset();
    int beeps() const { return m_beeps; }

private:
    bool m_hasPicture { false };
    KXClipPicture m_clipboard;
    int m_beeps { 0 };
};
