// Qt requesters and message boxes.
#include "gui/qt/QtRequesterDriver.h"

#include "gui/KXWindow.h"
#include "gui/qt/QtFont.h"
#include "gui/qt/QtModules.h"
#include "gui/qt/QtText.h"
#include "gui/qt/QtWindow.h"
#include "base/KXMessageBox.h"
#include "base/KXModuleNames.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

namespace {
QtRequesterDriver s_driver;

// Keeps the keyboard focus across a dialog.
class FocusKeeper {
public:
    FocusKeeper()
        : m_focus(QApplication::focusWidget())
    {
    }
    ~FocusKeeper()
    {
        if (m_focus) {
            m_focus->activateWindow();
            m_focus->setFocus(Qt::OtherFocusReason);
        }
    }

private:
    QPointer<QWidget> m_focus;
};

void topmost(QWidget* dialog)
{
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// The runtime's own message boxes: an OK button, topmost and in front.
void runtimeMessageBox(const char* caption, const char* text, KXMessageBoxKind kind)
{
    QMessageBox box(kind == KXMessageBoxKind::Error ? QMessageBox::NoIcon : QMessageBox::Critical,
        QString::fromLatin1(caption ? caption : ""), QString::fromLatin1(text ? text : ""), QMessageBox::Ok);
    if (KXWindow* active = KXWindow::active())
        if (auto* w = dynamic_cast<QtWindow*>(active))
            box.setParent(w->nativeWindow(), box.windowFlags());
    topmost(&box);
    box.raise();
    box.activateWindow();
    box.exec();
}
}

QtRequesterDriver::QtRequesterDriver()
    : KXRequesterDriver(KXModuleNames::QtRequesterDriver, KXPlatform::Qt)
{
}

bool QtRequesterDriver::startDependencies()
{
    if (!QtModules::startDependencies(name()))
        return false;
    kxSetMessageBoxHandler(&runtimeMessageBox);
    return true;
}

QWidget* QtRequesterDriver::owner()
{
    auto* w = dynamic_cast<QtWindow*>(KXWindow::active());
    return w && KXObject::isLive(w) ? w->nativeWindow() : nullptr;
}

KXRequesterDriver::Answer QtRequesterDriver::messageBox(const std::string& caption, const std::string& text,
    Buttons buttons, bool serious)
{
    FocusKeeper keep;
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel)
        set = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == Buttons::YesNoCancel)
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(serious ? QMessageBox::Warning : QMessageBox::Information, QtText::toQt(caption),
        QtText::toQt(text), set, owner());
    topmost(&box);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Closed;
    }
}

bool QtRequesterDriver::chooseColor(uint32_t& rgb, CustomColors& custom)
{
    FocusKeeper keep;
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, QColor::fromRgb(custom[size_t(i)] & 0xFFFFFF));
    QColorDialog dialog(QColor::fromRgb(rgb & 0xFFFFFF), owner());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    topmost(&dialog);
    bool ok = dialog.exec() == QDialog::Accepted;
    // The custom colours are kept whatever the outcome.
    for (int i = 0; i < 16; ++i)
        custom[size_t(i)] = QColorDialog::customColor(i).rgb() & 0xFFFFFF;
    if (ok)
        rgb = dialog.selectedColor().rgb() & 0xFFFFFF;
    return ok;
}

bool QtRequesterDriver::chooseDir(const std::string& prompt, const std::string& start, std::string& chosen)
{
    FocusKeeper keep;
    QFileDialog dialog(owner(), QtText::toQt(prompt), QtText::toQt(start));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    topmost(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    std::string path = QtText::fromQt(dialog.selectedFiles().first());
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    chosen = path;
    return true;
}

bool QtRequesterDriver::chooseFile(const KXFileRequest& request, std::string& chosen)
{
    FocusKeeper keep;
    QFileDialog dialog(owner(), QtText::toQt(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const KXFileFilter& f : request.filters)
        filters << QtText::toQt(f.description) + QStringLiteral(" (") + QtText::toQt(f.pattern == "*.*" ? "*" : f.pattern) + QStringLiteral(")");
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QtText::toQt(request.defaultExtension));
    if (request.save) {
        // Qt's save dialog asks before it overwrites an existing file.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.initialName.empty()) {
        QString initial = QtText::toQt(request.initialName);
        int slash = initial.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0) {
            dialog.setDirectory(initial.left(slash + 1));
            initial = initial.mid(slash + 1);
        }
        if (!initial.startsWith(QLatin1Char('*')))
            dialog.selectFile(initial);
    }
    topmost(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    chosen = QtText::fromQt(dialog.selectedFiles().first());
    return true;
}

KXFont* QtRequesterDriver::chooseFont()
{
    FocusKeeper keep;
    QFontDialog dialog(owner());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    topmost(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    QFont f = dialog.selectedFont();
    int height = f.pixelSize() > 0 ? f.pixelSize() : int(f.pointSizeF() * 96.0 / 72.0 + 0.5);
    int style = (f.bold() ? KXFont::Bold : 0) | (f.italic() ? KXFont::Italic : 0) | (f.underline() ? KXFont::Underline : 0);
    return new QtFont(QtText::fromQt(f.family()), height, style);
}
