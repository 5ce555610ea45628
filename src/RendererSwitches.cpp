#include <cstdio>

#include "EffectSwitches.h"
#include "Globals.h"
#include "Mesh.h"
#include "Renderer.h"

Renderer::Renderer() : mappingSwitches(new MappingSwitches()) {
    for (size_t i = 0; i < kEffectSwitchCount; ++i) {
        kEffectSwitches[i].set(*this, kEffectSwitches[i].start);
    }
}

const char* Renderer::effectState(int index) const {
    const EffectSwitch* entry = effectSwitchForKey(index);
    return entry ? entry->stateLabel(entry->get(*this)) : "";
}

void Renderer::toggleEffect(int index) {
    const EffectSwitch* entry =
        index >= 1 && index <= EffectSwitch::kLastFunctionKey ? effectSwitchForKey(index) : nullptr;
    if (entry) cycleSwitch(*entry);
}

void Renderer::cycleSwitch(const EffectSwitch& entry) {
    entry.set(*this, entry.next(entry.get(*this)));
    if (entry.apply) entry.apply(*this);
    char line[96];
    std::snprintf(line, sizeof line, entry.format, entry.stateLabel(entry.get(*this)));
    std::fputs(line, stdout);
    std::string notice = line;
    if (!notice.empty() && notice.back() == '\n') notice.pop_back();
    overlay.notify(notice);
}

bool Renderer::setSwitch(const std::string& name, int value) {
    const EffectSwitch* entry = effectSwitchNamed(name.c_str());
    if (!entry) return false;
    entry->set(*this, value);
    if (entry->apply) entry->apply(*this);
    return true;
}
