// Qt text fields.
#include "gui/qt/QtTextField.h"

#include <QKeyEvent>

namespace {
// The edit control: characters pass the neutral half before the field takes them.
class Edit final : public QLineEdit {
public:
    Edit(QtTextField* owner, QWidget* parent)
        : QLineEdit(parent)
        , m_owner(owner)
    {
    }
    void disown() { m_owner = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        int code = 0;
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            code = KXTextField::EnterKey;
        else if (e->key() == Qt::Key_Backspace)
            code = 8;
        else if (e->text().size() == 1 && e->text()[0].unicode() >= 32 && e->text()[0].unicode() < 256)
            code = e->text()[0].unicode();
        if (code && m_owner && m_owner->receiveChar(code))
            return;
        QLineEdit::keyPressEvent(e);
    }

private:
    QtTextField* m_owner;
};
}

QtTextField::QtTextField(KXGroup* group, int style)
    : QtGadget(group, style)
{
    auto* edit = new Edit(this, parentWidget());
    adoptWidget(edit);
    if (isPassword())
        edit->setEchoMode(QLineEdit::Password);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { onTextUpdate(); });
}

void QtTextField::nativeSetText(const QString& text)
{
    QLineEdit* edit = widget();
    QSignalBlocker block(edit);
    int start = edit->selectionStart(), length = edit->selectionLength(), cursor = edit->cursorPosition();
    edit->setText(text);
    // The caret and selection stay where they were, cut to the new length.
    int n = int(text.size());
    if (start >= 0 && length > 0)
        edit->setSelection(std::min(start, n), std::min(start + length, n) - std::min(start, n));
    else
        edit->setCursorPosition(std::min(cursor, n));
}
