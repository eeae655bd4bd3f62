// KXHeadlessTestUser: the test user on the headless platform, as lines for the scripted user
// (docs/headless-script.md).
#pragma once

#include "tests/support/KXTestUser.h"

#include <string>

class KXHeadlessTestUser final : public KXTestUser {
public:
    void click(const std::string& gadget) override;
    void key(int rawKey, bool down) override;
    void focus(const std::string& control) override;
    void type(const std::string& field, const std::string& text, bool replace, bool enter) override;
    void pick(const std::string& combo, const std::string& item) override;
    void slide(const std::string& slider, int value) override;
    void scroll(const std::string& slider, Scroll how) override;
    void pickIndex(const std::string& combo, int index) override;
    void menu(int menuId) override;
    void close(const std::string& title) override;
    void move(const std::string& title, int x, int y) override;
    void resize(const std::string& title, int width, int height) override;
    void minimize(const std::string& title) override;
    void maximize(const std::string& title) override;
    void restore(const std::string& title) override;
    void answerFile(const std::string& path) override;
    void answerDir(const std::string& path) override;
    void answerColor(int red, int green, int blue) override;
    void answerButton(const std::string& button) override;
    void answerFont(const std::string& name, int height, int style) override;
    void answerCancel() override;
    void wait(int ms) override;
    bool isDone() const override;
    void forget() override;
    void dropInput() override;
    void resetPlatform() override;

    // A word of a script line: quoted, with " and \ escaped.
    static std::string quoted(const std::string& word);

private:
    static void act(const std::string& line);
};
