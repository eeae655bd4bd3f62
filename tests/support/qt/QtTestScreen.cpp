// Screen positions of the program's Qt widgets, for the X11 test user.
#include "tests/support/qt/QtTestScreen.h"

#include "gui/KXGadget.h"
#include "gui/qt/QtGadget.h"
#include "gui/qt/QtWindow.h"

#include <QAbstractItemView>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <memory>

namespace {
QtTestBox boxOf(const QWidget* w, const QRect& local)
{
    QtTestBox b;
    if (!w || !w->isVisible() || local.isEmpty())
        return b;
    // Only a window the X server shows takes clicks.
    QWindow* top = w->window()->windowHandle();
    if (!top || !top->isExposed())
        return b;
    QPoint at = w->mapToGlobal(local.topLeft());
    b.x = at.x();
    b.y = at.y();
    b.width = local.width();
    b.height = local.height();
    b.valid = true;
    return b;
}

// The widget standing for gadget (its trovaGadget property), or null. A freed gadget's widget
// waits hidden for its deletion and may carry the address a new gadget got since: a shown
// widget wins.
QWidget* widgetOf(const KXGadget* gadget)
{
    if (!gadget)
        return nullptr;
    QWidget* found = nullptr;
    for (QWidget* w : QApplication::allWidgets()) {
        if (w->property(QtGadgetProperty).value<void*>() != static_cast<const void*>(gadget))
            continue;
        if (w->isVisible())
            return w;
        found = w;
    }
    return found;
}

QWidget* modal()
{
    QWidget* w = QApplication::activeModalWidget();
    return w && w->isVisible() ? w : nullptr;
}

// The entries of a menu bar or menu, separators included, as the menu tree lists them.
QList<QAction*> entries(QWidget* menu) { return menu ? menu->actions() : QList<QAction*>(); }
}

namespace {
// Counts the property changes on the marker window.
class MarkerFilter final : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        auto* e = static_cast<xcb_generic_event_t*>(message);
        if (type == "xcb_generic_event_t" && (e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY
            && reinterpret_cast<xcb_property_notify_event_t*>(e)->window == window)
            ++seen;
        return false;
    }
    unsigned long window { 0 };
    long seen { 0 };
};

MarkerFilter& marker()
{
    static MarkerFilter* filter = [] {
        auto* f = new MarkerFilter; // lives for the process, like the application's filters
        auto* holder = new QWidget; // hidden, for the process; its native window takes the changes
        f->window = holder->winId();
        qApp->installNativeEventFilter(f);
        return f;
    }();
    return *filter;
}
}

unsigned long QtTestScreen::markerWindow() { return marker().window; }

long QtTestScreen::markersSeen() { return marker().seen; }

bool QtTestScreen::dialogActive()
{
    QWidget* w = modal();
    return w && w->isActiveWindow();
}

bool QtTestScreen::applicationActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

void QtTestScreen::every(int ms, std::function<void()> tick)
{
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(QCoreApplication::instance()); // owned by the application
    }
    QObject::connect(timer, &QTimer::timeout, timer, std::move(tick));
    timer->start(ms);
}

QtTestBox QtTestScreen::gadget(const KXGadget* gadget)
{
    QWidget* w = widgetOf(gadget);
    if (!w)
        return {};
    // Check boxes and radio buttons take clicks on their indicator and caption only.
    if (auto* check = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(check);
        return boxOf(w, w->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, w));
    }
    if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(radio);
        return boxOf(w, w->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, w));
    }
    return boxOf(w, w->rect());
}

unsigned long QtTestScreen::windowId(const KXWindow* window)
{
    auto* qw = dynamic_cast<const QtWindow*>(window);
    return qw && qw->nativeWindow() ? qw->nativeWindow()->winId() : 0;
}

QtTestBox QtTestScreen::menuEntry(const KXWindow* window, const std::vector<int>& path)
{
    auto* qw = dynamic_cast<const QtWindow*>(window);
    if (!qw || !qw->nativeWindow() || path.empty())
        return {};
    QMenuBar* bar = qw->nativeWindow()->menuBar();
    QList<QAction*> level = entries(bar);
    if (path[0] < 0 || path[0] >= level.size())
        return {};
    if (path.size() == 1)
        return boxOf(bar, bar->actionGeometry(level[path[0]]));
    QAction* action = level[path[0]];
    for (size_t i = 1; i < path.size(); ++i) {
        QMenu* menu = action->menu();
        if (!menu || !menu->isVisible())
            return {};
        level = entries(menu);
        if (path[i] < 0 || path[i] >= level.size())
            return {};
        action = level[path[i]];
        if (i + 1 == path.size())
            return boxOf(menu, menu->actionGeometry(action));
    }
    return {};
}

QtTestBox QtTestScreen::comboItem(const KXGadget* combo, int index)
{
    auto* box = qobject_cast<QComboBox*>(widgetOf(combo));
    if (!box || !box->view() || !box->view()->isVisible() || index < 0 || index >= box->count())
        return {};
    QAbstractItemView* view = box->view();
    return boxOf(view->viewport(), view->visualRect(box->model()->index(index, box->modelColumn())));
}

QtTestBox QtTestScreen::sliderPart(const KXGadget* slider, SliderPart part)
{
    auto* bar = qobject_cast<QScrollBar*>(widgetOf(slider));
    if (!bar)
        return {};
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_None;
    opt.activeSubControls = QStyle::SC_None;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    static const QStyle::SubControl controls[] = { QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
        QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarSlider };
    QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, controls[int(part)], bar);
    return boxOf(bar, r);
}

QtTestBox QtTestScreen::thumbAt(const KXGadget* slider, int value)
{
    auto* bar = qobject_cast<QScrollBar*>(widgetOf(slider));
    QtTestBox thumb = sliderPart(slider, SliderPart::Thumb);
    if (!bar || !thumb.valid)
        return {};
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.pageStep = bar->pageStep();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarGroove, bar);
    bool horizontal = bar->orientation() == Qt::Horizontal;
    int length = horizontal ? thumb.width : thumb.height;
    int span = (horizontal ? groove.width() : groove.height()) - length;
    int offset = QStyle::sliderPositionFromValue(bar->minimum(), bar->maximum(), value, span, bar->invertedAppearance());
    QPoint local = horizontal ? QPoint(groove.x() + offset + length / 2, groove.y() + groove.height() / 2)
                              : QPoint(groove.x() + groove.width() / 2, groove.y() + offset + length / 2);
    return boxOf(bar, QRect(local, QSize(1, 1)));
}

QtTestScreen::Dialog QtTestScreen::openDialog()
{
    QWidget* w = modal();
    if (!w)
        return Dialog::Closed;
    if (qobject_cast<QMessageBox*>(w))
        return Dialog::Message;
    if (qobject_cast<QFileDialog*>(w))
        return Dialog::File;
    if (qobject_cast<QColorDialog*>(w))
        return Dialog::Color;
    if (qobject_cast<QFontDialog*>(w))
        return Dialog::Font;
    return Dialog::Other;
}

QtTestBox QtTestScreen::messageButton(const std::string& name)
{
    auto* box = qobject_cast<QMessageBox*>(modal());
    if (!box)
        return {};
    QMessageBox::StandardButton which = name == "ok" ? QMessageBox::Ok
        : name == "cancel"                           ? QMessageBox::Cancel
        : name == "yes"                              ? QMessageBox::Yes
        : name == "no"                               ? QMessageBox::No
                                                     : QMessageBox::NoButton;
    QAbstractButton* button = which == QMessageBox::NoButton ? nullptr : box->button(which);
    return button ? boxOf(button, button->rect()) : QtTestBox {};
}

QtTestBox QtTestScreen::dialogEdit(Edit edit)
{
    QWidget* dialog = modal();
    if (!dialog)
        return {};
    QLineEdit* found = nullptr;
    if (edit == Edit::FileName) {
        found = dialog->findChild<QLineEdit*>("fileNameEdit");
    } else if (edit == Edit::ColorName) {
        // The colour requester's HTML box holds "#rrggbb".
        for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
            if (e->isVisible() && e->text().startsWith('#'))
                found = e;
    } else {
        // The font requester's boxes: family, style and size, in that order.
        QList<QLineEdit*> visible;
        for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
            if (e->isVisible())
                visible.push_back(e);
        int n = edit == Edit::FontFamily ? 0 : edit == Edit::FontStyle ? 1
                                                                       : 2;
        if (n < visible.size())
            found = visible[n];
    }
    return found ? boxOf(found, found->rect()) : QtTestBox {};
}

QtTestBox QtTestScreen::acceptButton()
{
    QWidget* dialog = modal();
    if (!dialog)
        return {};
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole && b->isVisible() && b->isEnabled())
                return boxOf(b, b->rect());
    }
    return {};
}

QtTestBox QtTestScreen::fontUnderline()
{
    QWidget* dialog = modal();
    if (!dialog)
        return {};
    for (QCheckBox* c : dialog->findChildren<QCheckBox*>())
        if (c->text().remove('&') == QLatin1String("Underline"))
            return boxOf(c, c->rect());
    return {};
}

unsigned long QtTestScreen::dialogWindowId()
{
    QWidget* w = modal();
    return w ? w->winId() : 0;
}

std::string QtTestScreen::describeFocus()
{
    QWidget* focus = QApplication::focusWidget();
    QWidget* active = QApplication::activeWindow();
    return std::string("focus ") + (focus ? focus->metaObject()->className() : "none") + ", active window "
        + (active ? active->windowTitle().toStdString() : "none");
}
