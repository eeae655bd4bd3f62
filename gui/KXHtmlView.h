// KXHtmlView: an embedded web view. It starts on "about:blank"; the neutral half keeps the
// history of the pages the program and the user went to, so Back and Forward work alike on
// every platform.
//
// Invariants: m_history is never empty; 0 <= m_position < m_history.size().
#pragma once

#include "gui/KXGadget.h"

#include <string>
#include <vector>

class KXHtmlView : public KXGadget {
public:
    // The page a new view shows.
    static constexpr const char* BlankPage = "about:blank";

    KXHtmlView(KXGroup* group, int style);

    // Goes to the URL (a local file path is taken as a file URL by the platform); the pages
    // after the current one leave the history.
    virtual void go(const std::string& url);
    virtual void back();
    virtual void forward();
    // 1 while a page is loading, else 0.
    virtual int status() const { return 0; }
    const std::string& currentUrl() const { return m_history[size_t(m_position)]; }
    // The URL of the last navigation the view reported with an action event.
    const std::string& eventUrl() const { return m_eventUrl; }
    const char* typeName() const override { return "HTMLView Gadget"; }

    // Browser host, neutral half: the view is going to url on its own (a link followed); code is
    // the host's notification value, passed on as the data of 0x401.
    void onNavigate(int code, const std::string& url);

protected:
    virtual void nativeNavigate(const std::string& url) = 0;

private:
    std::vector<std::string> m_history { BlankPage };
    int m_position { 0 };
    std::string m_eventUrl;
};
