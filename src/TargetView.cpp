#include "TargetView.h"

namespace {
struct Names {
    const char* name;
    const char* title;
};

const Names kNames[kTargetViewCount] = {
    {"final", "final frame"},
    {"albedo", "albedo"},
    {"specular", "specular"},
    {"normal", "world normal"},
    {"position", "world position"},
    {"depth", "view-space depth"},
    {"ao-raw", "ambient occlusion, raw"},
    {"ao-blurred", "ambient occlusion, blurred"},
    {"shadow", "shadow cube map, unfolded"},
    {"lit", "lit scene before tone mapping"},
    {"bright", "bright image"},
    {"bloom", "bloom"},
    {"smoke-entry", "smoke entry faces"},
    {"smoke-exit", "smoke exit faces"},
    {"smoke-density", "smoke density, middle slice"},
};
}  // namespace

const char* viewName(TargetView view) {
    return kNames[static_cast<int>(view)].name;
}

const char* viewTitle(TargetView view) {
    return kNames[static_cast<int>(view)].title;
}

TargetView stepView(TargetView view, int steps) {
    const int index =
        (static_cast<int>(view) + steps % kTargetViewCount + kTargetViewCount) % kTargetViewCount;
    return static_cast<TargetView>(index);
}

bool viewByName(const std::string& name, TargetView& view) {
    for (int i = 0; i < kTargetViewCount; ++i) {
        if (name != kNames[i].name) continue;
        view = static_cast<TargetView>(i);
        return true;
    }
    return false;
}
