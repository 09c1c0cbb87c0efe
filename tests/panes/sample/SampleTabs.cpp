#include "SampleTabs.h"

#include "SampleBands.h"
#include "SampleControls.h"

#include <framework/PTitleFrame.h>

#include <memory>

using std::make_unique;

ControlsTab::ControlsTab(PTabManager* manager)
    : PTabPane(PSTR("Every Kind"), manager)
{
    auto* checks = new SampleBand(PSTR("Check Boxes"), 45, this, true);
    checks->add(make_unique<SampleCheckBox>(16, 24, 170, 38, PSTR("Enabled box"), 1));
    checks->add(make_unique<SampleCheckBox>(186, 24, 340, 38, PSTR("Dimmed box"), 0))->disable();

    auto* buttons = new SampleBand(PSTR("Buttons"), 50, this, true);
    buttons->add(make_unique<SamplePushButton>(16, 24, 96, 44, PSTR("Push Me")));
    buttons->add(make_unique<SamplePushButton>(106, 24, 176, 44, PSTR("Dimmed")))->disable();

    auto* radios = new SampleBand(PSTR("Radio Buttons"), 45, this, true);
    auto* choice = radios->add(make_unique<SampleRadioGroup>("Choice", 1));
    choice->addButton(16, 24, 76, 38, PSTR("First"));
    choice->addButton(86, 24, 156, 38, PSTR("Second"));
    choice->addButton(166, 24, 226, 38, PSTR("Third"));
    auto* dimmed = radios->add(make_unique<SampleRadioGroup>("Dimmed", 0));
    dimmed->addButton(246, 24, 296, 38, PSTR("Off"));
    dimmed->addButton(300, 24, 350, 38, PSTR("On"));
    dimmed->disable();

    frameBand = new SampleBand(PSTR("Title Frame"), 75, this, true);
    frame = frameBand->add(make_unique<PTitleFrame>(16, 22, 346, 73, PSTR("Messages")));
}

BandsTab::BandsTab(PTabManager* manager)
    : PTabPane(PSTR("Bands"), manager)
{
    auto* big = new SampleBand(PSTR("Big Band"), 169, this, false);
    big->add(make_unique<SampleCheckBox>(16, 30, 170, 44, PSTR("Hidden box"), 0));

    auto* open = new SampleBand(PSTR("Starts Open"), 60, this, true);
    open->add(make_unique<SamplePushButton>(16, 24, 96, 44, PSTR("Inside")));

    new PlainBand(PSTR("A plain band"), 30, this);

    auto* last = new SampleBand(PSTR("Last Band"), 40, this, true);
    last->add(make_unique<SampleCheckBox>(16, 22, 170, 36, PSTR("Last box"), 1));
}
