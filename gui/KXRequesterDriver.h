// KXRequesterDriver: the modal platform dialogs that return one result — message boxes, the
// colour, folder, file and font choosers — and the runtime-wide requester state: the last
// requested colour and the 16 custom colours all colour requesters share.
//
// It is a module of the "Gui" subsystem, started with the GUI driver or on first use. The
// neutral half turns command arguments into requests and results into command values; a
// backend runs the dialogs.
//
// Invariants: the requested colour is 0xFFFFFFFF until the first colour is chosen, afterwards
// a 0x00RRGGBB value; a cancelled or failed requester changes no state.
#pragma once

#include "gui/KXFileRequest.h"
#include "gui/KXFont.h"
#include "base/KXDriver.h"

#include <array>
#include <cstdint>
#include <string>

class KXRequesterDriver : public KXDriver<KXRequesterDriver> {
public:
    // Buttons of a message box. Append-only.
    enum class Buttons : int { Ok,
        OkCancel,
        YesNoCancel };
    // How a message box was closed. Append-only.
    enum class Answer : int { Ok,
        Cancel,
        Yes,
        No,
        Closed };
    using CustomColors = std::array<uint32_t, 16>;

    // The driver, starting the "Gui" subsystem when it is not running yet; raises "Requesters
    // are not available on this platform" when the platform has none.
    static KXRequesterDriver& get();

    // Message boxes titled with the application title; serious shows a warning icon. Confirm
    // answers 1 for OK, else 0; Proceed 1 for Yes, 0 for No, -1 for Cancel or the close box.
    void notify(std::string_view text, bool serious);
    int confirm(std::string_view text, bool serious);
    int proceed(std::string_view text, bool serious);

    // Opens the colour chooser on (red, green, blue) (each modulo 256). Answers 1 and stores
    // the choice as the requested colour, or 0 leaving it as it was.
    int requestColor(int red, int green, int blue);
    uint32_t requestedColor() const { return m_requested; }
    const CustomColors& customColors() const { return m_custom; }
    // The chosen folder's full path with "/" separators and no separator at the end (but for
    // the root), or empty on cancel.
    std::string requestDir(std::string_view prompt, std::string_view path);
    // The chosen file's full name with "/" separators, or empty on cancel.
    std::string requestFile(std::string_view prompt, std::string_view exts, bool save, std::string_view defname);
    // A new font (one reference, for the caller), or null on cancel.
    KXFont* requestFont();

    // Back to the state of a fresh run (for tests).
    void resetState();

protected:
    KXRequesterDriver(const char* name, KXPlatform platform)
        : KXDriver(name, "Gui", "Native", platform)
    {
    }
    // The modules this backend's dialogs need.
    virtual bool startDependencies() = 0;
    // The dialogs. Each blocks until the user closes it. A backend may change the custom
    // colours while the chooser is open; they are kept whatever the outcome.
    virtual Answer messageBox(const std::string& caption, const std::string& text, Buttons buttons, bool serious) = 0;
    // rgb holds the initial colour (0x00RRGGBB); on true it holds the choice.
    virtual bool chooseColor(uint32_t& rgb, CustomColors& custom) = 0;
    // start is the folder to select first ("/" separators, may be empty).
    virtual bool chooseDir(const std::string& prompt, const std::string& start, std::string& chosen) = 0;
    virtual bool chooseFile(const KXFileRequest& request, std::string& chosen) = 0;
    virtual KXFont* chooseFont() = 0;

private:
    uint32_t m_requested { 0xFFFFFFFFu };
    CustomColors m_custom {};
};
