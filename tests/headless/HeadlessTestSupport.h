// Shared set-up for the headless backend's own tests: the GUI and control fixtures with the
// headless system, its windows, its requesters and its scripted user at hand.
#pragma once

#include "gui/headless/HeadlessRequesterDriver.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessWindow.h"
#include "tests/gui/ControlTestSupport.h"

// The platform's side of a fixture: the virtual desktop and the scripted user.
template<class Base>
class HeadlessFixture : public Base {
protected:
    static HeadlessSystem& sys() { return HeadlessSystem::instance(); }
    static HeadlessScript& script() { return HeadlessScript::instance(); }
    static HeadlessRequesterDriver& requesters() { return HeadlessRequesterDriver::instance(); }
    static HeadlessWindow* hw(int handle) { return dynamic_cast<HeadlessWindow*>(Base::kw(handle)); }
};

using HeadlessGuiTest = HeadlessFixture<GuiTest>;
using HeadlessControlTest = HeadlessFixture<ControlTest>;
