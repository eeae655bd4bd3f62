// HeadlessHtmlView: a web view on the headless platform. It loads nothing; it remembers the
// address it was sent to.
#pragma once

#include "gui/KXHtmlView.h"
#include "gui/headless/HeadlessGadget.h"

#include <string>

class HeadlessHtmlView final : public HeadlessGadget<KXHtmlView> {
public:
    HeadlessHtmlView(KXGroup* group, int style)
        : HeadlessGadget(group, style, "WebView")
    {
    }
    const std::string& nativeUrl() const { return m_url; }

protected:
    void nativeNavigate(const std::string& url) override
    {
        m_url = url;
        HeadlessSystem::log().record("Navigate \"%s\"", url.c_str());
    }

private:
    std::string m_url { BlankPage };
};
