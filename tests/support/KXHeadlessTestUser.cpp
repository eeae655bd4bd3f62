// The test user over the headless scripted user.
#include "tests/support/KXHeadlessTestUser.h"

#include "gui/headless/HeadlessRequesterDriver.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"

KXTestUser& KXTestUser::instance()
{
    static KXHeadlessTestUser user;
    return user;
}

std::string KXHeadlessTestUser::quoted(const std::string& word)
{
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void KXHeadlessTestUser::act(const std::string& line) { HeadlessScript::instance().addLine(line); }

void KXHeadlessTestUser::click(const std::string& gadget) { act("click " + quoted(gadget)); }

void KXHeadlessTestUser::key(int rawKey, bool down) { act(std::string("key ") + (down ? "down " : "up ") + std::to_string(rawKey)); }

void KXHeadlessTestUser::focus(const std::string& control) { act("focus " + quoted(control)); }

void KXHeadlessTestUser::type(const std::string& field, const std::string& text, bool replace, bool enter)
{
    act("type " + quoted(field) + " " + quoted(text) + (replace ? " replace" : "") + (enter ? " enter" : ""));
}

void KXHeadlessTestUser::pick(const std::string& combo, const std::string& item) { act("pick " + quoted(combo) + " " + quoted(item)); }

void KXHeadlessTestUser::slide(const std::string& slider, int value) { act("slider " + quoted(slider) + " " + std::to_string(value)); }

void KXHeadlessTestUser::scroll(const std::string& slider, Scroll how)
{
    static const char* const words[] = { "up", "down", "pageup", "pagedown" };
    act("slider " + quoted(slider) + " " + words[int(how)]);
}

void KXHeadlessTestUser::pickIndex(const std::string& combo, int index) { act("pick " + quoted(combo) + " " + std::to_string(index)); }

void KXHeadlessTestUser::menu(int menuId) { act("menu " + std::to_string(menuId)); }

void KXHeadlessTestUser::close(const std::string& title) { act("close " + quoted(title)); }

void KXHeadlessTestUser::move(const std::string& title, int x, int y)
{
    act("drag " + quoted(title) + " " + std::to_string(x) + " " + std::to_string(y));
}

void KXHeadlessTestUser::resize(const std::string& title, int width, int height)
{
    act("resize " + quoted(title) + " " + std::to_string(width) + " " + std::to_string(height));
}

void KXHeadlessTestUser::minimize(const std::string& title) { act("minimize " + quoted(title)); }

void KXHeadlessTestUser::maximize(const std::string& title) { act("maximize " + quoted(title)); }

void KXHeadlessTestUser::restore(const std::string& title) { act("restore " + quoted(title)); }

void KXHeadlessTestUser::answerFile(const std::string& path) { act("answer file " + quoted(path)); }

void KXHeadlessTestUser::answerDir(const std::string& path) { act("answer dir " + quoted(path)); }

void KXHeadlessTestUser::answerColor(int red, int green, int blue)
{
    act("answer color " + std::to_string(red) + " " + std::to_string(green) + " " + std::to_string(blue));
}

void KXHeadlessTestUser::answerButton(const std::string& button) { act("answer button " + button); }

void KXHeadlessTestUser::answerFont(const std::string& name, int height, int style)
{
    act("answer font " + quoted(name) + " " + std::to_string(height) + " " + std::to_string(style));
}

void KXHeadlessTestUser::answerCancel() { act("answer cancel"); }

void KXHeadlessTestUser::wait(int ms) { act("wait " + std::to_string(ms)); }

bool KXHeadlessTestUser::isDone() const { return HeadlessScript::instance().isFinished(); }

void KXHeadlessTestUser::forget() { HeadlessScript::instance().clear(); }

void KXHeadlessTestUser::dropInput()
{
    HeadlessSystem::messages().clearMessages();
    HeadlessRequesterDriver::instance().clearReplies();
}

void KXHeadlessTestUser::resetPlatform() { HeadlessSystem::instance().reset(); }
