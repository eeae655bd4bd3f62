// QtControlDriver: constructs the Qt platform's controls.
#include "gui/KXControlDriver.h"
#include "gui/qt/QtButton.h"
#include "gui/qt/QtComboBox.h"
#include "gui/qt/QtHtmlView.h"
#include "gui/qt/QtLabel.h"
#include "gui/qt/QtModules.h"
#include "gui/qt/QtPanel.h"
#include "gui/qt/QtSlider.h"
#include "gui/qt/QtTextField.h"
#include "base/KXModuleNames.h"

namespace {
class QtControlDriver final : public KXControlDriver {
public:
    QtControlDriver()
        : KXControlDriver(KXModuleNames::QtControlDriver, KXPlatform::Qt)
    {
    }

protected:
    bool startDependencies() override { return QtModules::startDependencies(name()); }
    KXPanel* makePanel(KXGroup* group, int style) override { return new QtPanel(group, style); }
    KXLabel* makeLabel(KXGroup* group, int style) override { return new QtLabel(group, style); }
    KXButton* makeButton(KXGroup* group, int style) override { return new QtButton(group, style); }
    KXSlider* makeSlider(KXGroup* group, int style) override { return new QtSlider(group, style); }
    KXComboBox* makeComboBox(KXGroup* group, int style) override { return new QtComboBox(group, style); }
    KXTextField* makeTextField(KXGroup* group, int style) override { return new QtTextField(group, style); }
    KXHtmlView* makeHtmlView(KXGroup* group, int style) override { return new QtHtmlView(group, style); }
} s_driver;
}
