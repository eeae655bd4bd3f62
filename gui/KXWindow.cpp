// Windows: shapes, menus, status bars, the window flags and the neutral window procedure.
#include "gui/KXWindow.h"

#include "gui/KXDialogKeys.h"
#include "gui/KXEventDriver.h"
#include "gui/KXEventFilter.h"
#include "gui/KXHotKeyTable.h"
#include "gui/KXKeyboard.h"

#include <chrono>

KXWindow::KXWindow(KXGroup* group, int style)
    : KXGroup(group, style)
    , m_menuRoot(new KXMenu(nullptr, 0))
    , m_statusText(KXString::create(""))
    , m_styleWord(styleWordFor(style))
    , m_exStyleWord(exStyleWordFor(style))
{
}

// A pop-up with clipped children, or an overlapped window with caption; a resizable one also has
// the sizing frame, the system menu and the minimise/maximise boxes.
int KXWindow::styleWordFor(int style)
{
    if (!(style & TitleBar))
        return int(0x82000000u);
    int s = 0x00C00000 | 0x02000000;
    if (style & Resizable)
        s |= SizingFrameBit | SystemMenuBit | MinimizeBoxBit | MaximizeBoxBit;
    return s;
}

int KXWindow::exStyleWordFor(int style) { return (style & TitleBar) ? 0x100 : 0; }

int KXWindow::windowLong(int index) const
{
    return index == -16 ? styleWord() : index == -20 ? exStyleWord()
                                                     : 0;
}

int KXWindow::setWindowLong(int index, int value)
{
    if (index != -16 && index != -20)
        return 0;
    int old = windowLong(index);
    if (index == -16)
        m_styleWord = value & ~VisibleStyleBit;
    else
        m_exStyleWord = value;
    nativeApplyStyle(styleWord(), m_exStyleWord);
    return old;
}

void KXWindow::free()
{
    if (s_active == this)
        s_active = nullptr;
    // Released by hand: the release may raise "Unable to release menu child", which must not
    // leave through a destructor.
    if (KXMenu* root = m_menuRoot.leak())
        root->release();
    KXGroup::free();
}

void KXWindow::setShape(int x, int y, int width, int height)
{
    KXRect frame { x, y, width, height };
    if (style() & ClientCoords) {
        KXRect client { x, y, width, height + (hasStatusBar() ? statusBarHeight() : 0) };
        frame = frameForClient(client);
    }
    int clientWidth = 0, clientHeight = 0;
    nativeSetFrame(frame, clientWidth, clientHeight);
    storeShape(frame.x, frame.y, frame.width, frame.height);
    setClientSize(clientWidth, clientHeight);
}

void KXWindow::activateWindow()
{
    if (nativeActivate())
        s_active = this;
}

void KXWindow::updateMenu() { nativeSetMenu(m_menuRoot->buildNative()); }

bool KXWindow::setStatusText(KXString* text)
{
    if (!hasStatusBar())
        return false;
    m_statusText = text ? KXRef<KXString>::retained(text) : KXRef<KXString>(KXString::create(""));
    nativeSetStatusText(m_statusText.get());
    return true;
}

void KXWindow::setMinSize(int width, int height)
{
    m_minWidth = width < 0 ? this->width() : width;
    m_minHeight = height < 0 ? this->height() : height;
    nativeSetMinSize(m_minWidth, m_minHeight);
}

void KXWindow::minimize() { nativeMinimize(); }

void KXWindow::maximize() { nativeMaximize(); }

void KXWindow::restore() { nativeRestore(); }

bool KXWindow::sync(int limitMs)
{
    KXEventDriver* driver = KXEventDriver::current();
    if (!driver || driver->isOnLoopStack())
        return !nativePending();
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (KXObject::isLive(this) && nativePending()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        driver->poll(10);
    }
    return true;
}

void KXWindow::onMoved(int x, int y)
{
    storeShape(x, y, width(), height());
    emit(KXEventId::WindowMove, 0, x, y);
}

void KXWindow::onSized(SizeType type, const KXRect& frame, int clientWidth, int clientHeight)
{
    switch (type) {
    case SizeType::Restored:
        m_minimized = m_maximized = false;
        break;
    case SizeType::Minimized:
        m_minimized = true;
        m_maximized = false;
        break;
    case SizeType::Maximized:
        m_maximized = true;
        m_minimized = false;
        break;
    }
    if (type != SizeType::Minimized) {
        storeShape(frame.x, frame.y, frame.width, frame.height);
        setClientSize(clientWidth, clientHeight);
    }
    emit(KXEventId::WindowSize, 0, width(), height());
}

void KXWindow::onActivated()
{
    s_active = this;
    emit(KXEventId::WindowActivate);
}

void KXWindow::onCloseRequest() { emit(KXEventId::WindowClose); }

void KXWindow::onCommand(int commandId)
{
    if (commandId == 1)
        kxPostEvent(KXEvent::make(KXEventId::OkKey));
    else if (commandId == 2)
        kxPostEvent(KXEvent::make(KXEventId::CancelKey));
    else if (commandId >= KXNativeMenuItem::CommandBase)
        kxPostEvent(KXEvent::make(KXEventId::MenuAction, commandId - KXNativeMenuItem::CommandBase));
}

void KXWindow::onAppActivation(bool active)
{
    // Keys released while another program has the keyboard never reach this one.
    if (!active)
        KXKeyboard::instance().reset();
    kxPostEvent(KXEvent::make(active ? KXEventId::AppResume : KXEventId::AppSuspend));
}

void KXWindow::onModalLoop(bool entered)
{
    kxPostEvent(KXEvent::make(entered ? KXEventId::ModalEnter : KXEventId::ModalLeave));
}

void KXWindow::onFocusChanged(KXGadget* gadget) { m_focus = gadget; }

bool KXWindow::onRawKey(int rawKey, bool down, int typed)
{
    if (!KXKeyboard::instance().press(rawKey, down))
        return false;
    if (KXDialogKeys::handle(*this, rawKey, down))
        return true;
    if (!down)
        return onKeyUp(rawKey);
    if (onKeyDown(rawKey))
        return true;
    int c = typed;
    if (c == KXKeyboard::FromTable)
        c = KXKeyboard::characterOf(rawKey, KXKeyboard::instance().modifiers() & KXKeyboard::Shift);
    // The key event's handler may have freed the window.
    if (c && KXObject::isLive(this))
        onChar(c);
    return false;
}

bool KXWindow::onKeyDown(int rawKey)
{
    if (KXHotKeyTable::instance().keyDown(rawKey))
        return true;
    emit(KXEventId::KeyDown, rawKey);
    return false;
}

bool KXWindow::onKeyUp(int rawKey)
{
    if (KXHotKeyTable::instance().keyUp(rawKey))
        return true;
    emit(KXEventId::KeyUp, rawKey);
    return false;
}

void KXWindow::onChar(int code) { emit(KXEventId::KeyChar, code); }
