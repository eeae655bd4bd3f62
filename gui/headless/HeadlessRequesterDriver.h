// HeadlessRequesterDriver: the requesters of the headless platform. The scripted user answers
// them: "answer ..." actions queue answers, and a requester takes the oldest one. A requester
// that opens with no answer queued runs the script on (its waits included) while the next
// action is an answer; when the next action is something else, or the script is done, the
// user closes the requester (cancel, or the close box of a message box). Message boxes also
// print "CAPTION: TEXT" on standard error.
#pragma once

#include "gui/KXRequesterDriver.h"

#include <deque>
#include <string>

class HeadlessRequesterDriver final : public KXRequesterDriver {
public:
    // What the scripted user does with the next requester. Append-only.
    enum class Kind : int { File,
        Dir,
        Color,
        Button,
        Font,
        Cancel };
    struct Reply {
        Kind kind { Kind::Cancel };
        std::string text; // File, Dir: the path; Font: the name
        Answer button { Answer::Cancel }; // Button
        uint32_t rgb { 0 }; // Color
        int size { 0 }; // Font: height
        int style { 0 }; // Font: style bits
    };

    HeadlessRequesterDriver();
    static HeadlessRequesterDriver& instance();

    void queueReply(const Reply& reply) { m_replies.push_back(reply); }
    size_t pendingReplies() const { return m_replies.size(); }
    void clearReplies() { m_replies.clear(); }
    // The request the last file requester was opened with.
    const KXFileRequest& lastFileRequest() const { return m_lastFile; }
    // The folder the last folder requester started in.
    const std::string& lastDirStart() const { return m_lastDirStart; }
    // The colour the last colour requester started with.
    uint32_t lastColorStart() const { return m_lastColorStart; }

protected:
    bool startDependencies() override;
    Answer messageBox(const std::string& caption, const std::string& text, Buttons buttons, bool serious) override;
    bool chooseColor(uint32_t& rgb, CustomColors& custom) override;
    bool chooseDir(const std::string& prompt, const std::string& start, std::string& chosen) override;
    bool chooseFile(const KXFileRequest& request, std::string& chosen) override;
    KXFont* chooseFont() override;

private:
    // The user's reply to a requester now open; false when the user closes it unanswered.
    bool awaitReply(Reply& out);
    // A reply of another kind than the requester wants is reported and closes it.
    static void misfit(const Reply& reply, const char* requester);

    std::deque<Reply> m_replies;
    KXFileRequest m_lastFile;
    std::string m_lastDirStart;
    uint32_t m_lastColorStart { 0 };
};
