// QtHtmlView: a web view on the Qt platform that shows local HTML files. A link the user follows
// is reported to the neutral half, which keeps the history for Back and Forward.
#pragma once

#include "gui/KXHtmlView.h"
#include "gui/qt/QtGadget.h"

#include <QTextBrowser>

class QtHtmlView final : public QtGadget<KXHtmlView, QTextBrowser> {
public:
    QtHtmlView(KXGroup* group, int style);

protected:
    void nativeNavigate(const std::string& url) override;
};
