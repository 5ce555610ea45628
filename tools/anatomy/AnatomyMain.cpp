// Writes the frame study of docs/: one moment of the flight in every view that V shows, a contact
// sheet of them (docs/anatomy/), and the page "How a frame is made" (docs/frame.md) from its
// template and the benchmark's figures. Run from the repository root; the same sources, assets
// and figures give the same files.
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ContactSheet.h"
#include "FileReplacement.h"
#include "FlightWarmUp.h"
#include "FramePage.h"
#include "Globals.h"
#include "Interruption.h"
#include "OutputFrame.h"
#include "ToolContext.h"
#include "ToolRenderer.h"

// Records nothing: a recorded path in the working folder stays as it is.
const char* const keyPointFileName = nullptr;

namespace {
// The cauldron, 39 s into the flight: fire, smoke and bloom in sight, the smoke's whole box on
// screen. The shadow view looks out from the hall's light wherever the camera is.
constexpr double kMomentSeconds = 39.0;
constexpr int kWidth = 480;
constexpr int kHeight = 288;
constexpr double kFps = 30.0;
constexpr double kWarmUpSeconds = 2.0;
constexpr int kSheetColumns = 5;
const std::string kPictures = "docs/anatomy/";
const std::string kBenchFigures = "docs/anatomy/bench.json";
const std::string kPageTemplate = "tools/anatomy/frame.md.in";
const std::string kPage = "docs/frame.md";

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    text = all.str();
    return static_cast<bool>(in);
}

// Each file of the study goes to a temporary first; the study replaces the old one only once all
// are written, so that a failure or a stop on the way leaves the old one whole.
struct StudyFiles {
    std::vector<std::unique_ptr<FileReplacement>> files;

    FileReplacement& add(const std::string& target) {
        files.push_back(std::make_unique<FileReplacement>(target));
        return *files.back();
    }
    bool commit(std::string& error) {
        for (const auto& file : files) {
            if (!file->commit(error)) return false;
            std::printf("%s\n", file->target().c_str());
        }
        return true;
    }
};

int fail(const std::string& message) {
    std::fprintf(stderr, "murkmoor-anatomy: %s\n", message.c_str());
    return 1;
}

// The page first: a template or figures that do not fit fail before anything is drawn.
bool makePage(std::string& page, std::string& error) {
    std::string pageTemplate;
    std::string json;
    BenchFigures figures;
    if (!readText(kPageTemplate, pageTemplate)) {
        error = "cannot read " + kPageTemplate;
        return false;
    }
    if (!readText(kBenchFigures, json)) {
        error = "cannot read " + kBenchFigures;
        return false;
    }
    if (!readBenchFigures(json, figures, error)) {
        error = kBenchFigures + ": " + error;
        return false;
    }
    char moment[32];
    std::snprintf(moment, sizeof moment, "%.0f s", kMomentSeconds);
    const std::map<std::string, std::string> facts = {
        {"moment", moment},
        {"picture size", std::to_string(kWidth) + " x " + std::to_string(kHeight)}};
    if (!fillFramePage(pageTemplate, figures, facts, page, error)) {
        error = kPageTemplate + ": " + error;
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    const bool headless = argc == 2 && std::string(argv[1]) == "--headless";
    if (argc > 2 || (argc == 2 && !headless)) {
        std::fprintf(stderr, "usage: murkmoor-anatomy [--headless]\n");
        return 2;
    }
    std::string page;
    std::string error;
    if (!makePage(page, error)) return fail(error);

    stopCleanlyOnInterrupt("murkmoor-anatomy");
    StudyFiles study;
    for (int i = 0; i < kTargetViewCount; ++i) {
        study.add(kPictures + viewName(static_cast<TargetView>(i)) + ".png");
    }
    FileReplacement& sheet = study.add(kPictures + "contact-sheet.png");
    if (!writeTextFile(study.add(kPage).temporary(), page)) return fail("cannot write " + kPage);

    ToolContext context;
    if (!openToolContext(kWidth, kHeight, "Murkmoor anatomy", headless, context, error)) {
        return fail(error);
    }
    ProgressLine progress;
    OutputFrame output;
    if (!setUpToolRenderer(kWidth, kHeight, output, progress, error)) {
        progress.end();
        closeToolContext(context);
        return fail(error);
    }
    progress.end();
    flyToMoment(renderer, kMomentSeconds, kFps, kWarmUpSeconds);

    // Nothing moves between the views: each is the same frame, drawn again to end in another.
    std::vector<RgbImage> pictures;
    for (int i = 0; i < kTargetViewCount; ++i) {
        renderer.view = static_cast<TargetView>(i);
        renderer.render();
        RgbImage picture{kWidth, kHeight, {}};
        readOutputFrameTopDown(output, picture.pixels);
        const FileReplacement& file = *study.files[i];
        if (!saveRgbImage(file.temporary(), picture)) return fail("cannot write " + file.target());
        pictures.push_back(std::move(picture));
    }
    closeToolContext(context);
    if (!saveRgbImage(sheet.temporary(), contactSheet(pictures, kSheetColumns))) {
        return fail("cannot write " + sheet.target());
    }
    if (!sceneComplete(error) || !study.commit(error)) return fail(error);
    return 0;
}
