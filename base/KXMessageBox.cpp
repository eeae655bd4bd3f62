// The message-box and caption hooks, and the standard-error fallback.
#include "base/KXMessageBox.h"

#include <cstdio>

namespace {
KXMessageBoxHandler s_handler = nullptr;
KXAppCaptionSource s_captionSource = nullptr;
}

void kxMessageBox(const char* caption, const char* text, KXMessageBoxKind kind)
{
    if (s_handler) {
        s_handler(caption, text, kind);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
}

void kxSetMessageBoxHandler(KXMessageBoxHandler handler) { s_handler = handler; }

const char* kxAppCaption()
{
    const char* caption = s_captionSource ? s_captionSource() : nullptr;
    return caption ? caption : "";
}

void kxSetAppCaptionSource(KXAppCaptionSource source) { s_captionSource = source; }
