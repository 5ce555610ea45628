#include "ToolRenderer.h"

#include <cstdio>

#include "Globals.h"
#include "LoadFailures.h"
#include "LoaderLines.h"

bool setUpToolRenderer(int width, int height, OutputFrame& frame, ProgressLine& progress,
                       std::string& error) {
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
    setMissingShaderWaitsForEnter(false);
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
    if (!attached) {
        error = "no frame to draw into";
        return false;
    }
    return sceneComplete(error);
}

bool sceneComplete(std::string& error) {
    const std::vector<LoadFailure>& failures = loadFailures();
    if (failures.empty()) return true;
    error = failures.front().file + " " + failures.front().what +
            ": the scene is incomplete, nothing is drawn";
    return false;
}
