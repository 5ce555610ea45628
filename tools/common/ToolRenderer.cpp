#include "ToolRenderer.h"

#include <cstdio>
#include <string>

#include "Globals.h"
#include "LoaderLines.h"

bool setUpToolRenderer(int width, int height, OutputFrame& frame, ProgressLine& progress) {
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
    progress.show("Loading the scene");
    LoaderLines loaderLines;
    renderer.init(static_cast<float>(width), static_cast<float>(height));
    const bool attached = attachOutputFrame(renderer, frame);
    if (attached) renderer.loadScene();
    const std::string unusual = loaderLines.release();
    if (!unusual.empty()) {
        progress.end();
        std::fputs(unusual.c_str(), stdout);
    }
    return attached;
}
