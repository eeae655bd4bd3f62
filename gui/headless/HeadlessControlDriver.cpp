// HeadlessControlDriver: constructs the headless platform's controls.
#include "gui/KXControlDriver.h"
#include "gui/headless/HeadlessButton.h"
#include "gui/headless/HeadlessComboBox.h"
#include "gui/headless/HeadlessHtmlView.h"
#include "gui/headless/HeadlessLabel.h"
#include "gui/headless/HeadlessModules.h"
#include "gui/headless/HeadlessPanel.h"
#include "gui/headless/HeadlessSlider.h"
#include "gui/headless/HeadlessTextField.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessControlDriver final : public KXControlDriver {
public:
    HeadlessControlDriver()
        : KXControlDriver(KXModuleNames::HeadlessControlDriver, KXPlatform::Headless)
    {
    }

protected:
    bool startDependencies() override { return HeadlessModules::startDependencies(name()); }
    KXPanel* makePanel(KXGroup* group, int style) override { return new HeadlessPanel(group, style); }
    KXLabel* makeLabel(KXGroup* group, int style) override { return new HeadlessLabel(group, style); }
    KXButton* makeButton(KXGroup* group, int style) override { return new HeadlessButton(group, style); }
    KXSlider* makeSlider(KXGroup* group, int style) override { return new HeadlessSlider(group, style); }
    KXComboBox* makeComboBox(KXGroup* group, int style) override
    {
        if (HeadlessComboBox::takeCreationFailure())
            return nullptr;
        return new HeadlessComboBox(group, style);
    }
    KXTextField* makeTextField(KXGroup* group, int style) override { return new HeadlessTextField(group, style); }
    KXHtmlView* makeHtmlView(KXGroup* group, int style) override { return new HeadlessHtmlView(group, style); }
} s_driver;
}
