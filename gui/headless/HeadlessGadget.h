// HeadlessGadget: the native side every headless control has in common — creation, shape,
// text, visibility, enabling and focus, each logged as the native call it stands for — on top
// of the control's neutral class.
#pragma once

#include "gui/KXGroup.h"
#include "gui/headless/HeadlessControl.h"
#include "gui/headless/HeadlessSystem.h"

#include <string>
#include <type_traits>

template<class Neutral>
class HeadlessGadget : public Neutral
    , public HeadlessControl {
public:
    HeadlessGadget(KXGroup* group, int style, const char* nativeClass)
        : Neutral(group, style)
        , HeadlessControl(this, nativeClass)
    {
        HeadlessSystem::log().record("CreateControl %s style=%d", nativeClass, style);
    }
    ~HeadlessGadget() override { HeadlessSystem::log().record("DestroyControl %s", nativeClass()); }

    void setShape(int x, int y, int width, int height) override
    {
        HeadlessSystem::log().record("MoveControl %s %d %d %d %d", nativeClass(), x, y, width, height);
        if constexpr (std::is_base_of_v<KXGroup, Neutral>)
            Neutral::setShape(x, y, width, height);
        else
            this->storeShape(x, y, width, height);
    }
    void setText(KXString* text) override
    {
        Neutral::setText(text);
        HeadlessSystem::log().record("SetControlText %s \"%s\"", nativeClass(), std::string(this->textView()).c_str());
    }
    void setVisible(bool visible) override
    {
        Neutral::setVisible(visible);
        HeadlessSystem::log().record("ShowControl %s %d", nativeClass(), visible ? 1 : 0);
    }
    void setEnabled(bool enabled) override
    {
        Neutral::setEnabled(enabled);
        HeadlessSystem::log().record("EnableControl %s %d", nativeClass(), enabled ? 1 : 0);
    }
    void activate() override
    {
        HeadlessSystem::log().record("SetFocus %s", nativeClass());
        this->takeFocus();
    }
};
