// Qt HTML views.
#include "gui/qt/QtHtmlView.h"

#include <QUrl>

namespace {
// A path or URL as the browser takes it: a path becomes a file URL.
QUrl urlOf(const std::string& text)
{
    QString s = QtText::toQt(text);
    QUrl url(s);
    if (url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(s);
}
}

QtHtmlView::QtHtmlView(KXGroup* group, int style)
    : QtGadget(group, style)
{
    auto* browser = new QTextBrowser(parentWidget());
    adoptWidget(browser);
    // Links go through the neutral half, which keeps the history.
    browser->setOpenLinks(false);
    QObject::connect(browser, &QTextBrowser::anchorClicked, browser, [this](const QUrl& link) {
        QUrl target = widget()->source().resolved(link);
        std::string url = QtText::fromQt(target.isLocalFile() ? target.toLocalFile() : target.toString());
        const void* self = reinterpret_cast<const void*>(intptr_t(handle()));
        nativeNavigate(url);
        onNavigate(0, url);
        (void)self;
    });
}

void QtHtmlView::nativeNavigate(const std::string& url)
{
    QTextBrowser* browser = widget();
    if (url == BlankPage) {
        browser->clear();
        return;
    }
    QUrl target = urlOf(url);
    if (target.isLocalFile())
        browser->setSource(target);
    else
        browser->setHtml(QString());
}
