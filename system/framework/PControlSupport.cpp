#include <framework/PControlSupport.h>

#include <algorithm>
#include <cstdint>

namespace {

std::vector<PControlRecord>& records()
{
    static std::vector<PControlRecord> all;
    return all;
}

constexpr short kParkingOffset = 1000;

} // namespace

ControlHandle NewParkedControl(short x1, short y1, short x2, short y2, const unsigned char* title,
    short value, short minimum, short maximum, short procID, const void* owner, const char* kind)
{
    Rect bounds;
    bounds.top = static_cast<short>(y1 + kParkingOffset);
    bounds.left = static_cast<short>(x1 + kParkingOffset);
    bounds.bottom = static_cast<short>(y2 + kParkingOffset);
    bounds.right = static_cast<short>(x2 + kParkingOffset);
    ControlHandle control
        = NewControl(FrontWindow(), &bounds, title, true, value, minimum, maximum, procID, 0);
    if (control == nullptr)
        return nullptr;
    SetControlReference(control, static_cast<long>(reinterpret_cast<std::intptr_t>(owner)));
    records().push_back({control, kind});
    return control;
}

void DisposeParkedControl(ControlHandle control)
{
    if (control == nullptr)
        return;
    auto& all = records();
    all.erase(std::remove_if(all.begin(), all.end(),
                  [control](const PControlRecord& record) { return record.control == control; }),
        all.end());
    DisposeControl(control);
}

std::vector<PControlRecord> ParkedControlsOf(WindowRef window)
{
    std::vector<PControlRecord> result;
    for (const PControlRecord& record : records())
        if (GetControlOwner(record.control) == window)
            result.push_back(record);
    return result;
}
