// QtGadget: the native side every Qt control has in common — its widget, placed in the parent
// group's client widget at the gadget position, and the widget's text, visibility, enabling,
// font and focus — on top of the control's neutral class.
//
// Invariants: the widget exists while the gadget lives, owned by its Qt parent (or by the
// gadget when it has none); it is deleted later, outside its own handlers.
#pragma once

#include "gui/KXGroup.h"
#include "gui/qt/QtFont.h"
#include "gui/qt/QtText.h"
#include "gui/qt/QtWidgetHost.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <type_traits>

// The widget property that names the gadget a widget stands for (a KXGadget* as void*).
inline constexpr const char* QtGadgetProperty = "trovaGadget";

template<class Neutral, class Widget>
class QtGadget : public Neutral {
public:
    QtGadget(KXGroup* group, int style)
        : Neutral(group, style)
    {
    }
    ~QtGadget() override
    {
        if (m_widget) {
            m_widget->hide();
            m_widget->disconnect();
            m_widget->deleteLater();
        }
    }

    void setShape(int x, int y, int width, int height) override
    {
        if constexpr (std::is_base_of_v<KXGroup, Neutral>)
            Neutral::setShape(x, y, width, height);
        else
            this->storeShape(x, y, width, height);
        m_widget->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    }
    void setText(KXString* text) override
    {
        Neutral::setText(text);
        nativeSetText(QtText::toQt(this->textView()));
    }
    void setVisible(bool visible) override
    {
        Neutral::setVisible(visible);
        m_widget->setVisible(visible);
    }
    void setEnabled(bool enabled) override
    {
        Neutral::setEnabled(enabled);
        m_widget->setEnabled(enabled);
    }
    void setFont(KXFont* font) override
    {
        Neutral::setFont(font);
        if (auto* f = dynamic_cast<QtFont*>(font))
            m_widget->setFont(f->qfont());
    }
    void activate() override { m_widget->setFocus(Qt::OtherFocusReason); }

    Widget* widget() const { return m_widget; }

protected:
    // The widget children of the group are made in.
    QWidget* parentWidget() const { return QtWidgetHost::clientOf(this->group()); }
    // Takes the widget made for this gadget (parented to parentWidget()); call once from the
    // derived constructor.
    void adoptWidget(Widget* widget)
    {
        m_widget = widget;
        widget->setProperty(QtGadgetProperty, QVariant::fromValue(static_cast<void*>(static_cast<KXGadget*>(this))));
        widget->hide();
    }
    // Shows the gadget text in the widget; by default nothing does.
    virtual void nativeSetText(const QString& text) { (void)text; }

private:
    QPointer<Widget> m_widget;
};
