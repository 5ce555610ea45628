// Damaged shaders, images, sky faces, model and sounds are reported and the scene renders without
// NaN. A row (one process) damages several files, but never two sky faces or the model twice.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "GlTestFixture.h"
#include "Globals.h"
#include "RobustnessSupport.h"

using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {
// Truncated keeps the first half; the images are good but 16 x 8 or wider than any GL texture.
enum class Damage {
    Missing,
    Empty,
    Truncated,
    Garbage,
    NonSquare,
    Oversized,
    BadIndices,
    NaNVertices
};

struct DamagedFile {
    const char* file;
    Damage damage;
    const char* message;  // besides the shaders' lines; empty where a decoder may cope
};

struct Row {
    const char* name;
    std::vector<DamagedFile> files;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

void writeImage(const fs::path& path, int width, int height) {
    fs::remove(path);
    writeSolidImage(path.string() + ".png", width, height, 3, 90);
    fs::rename(path.string() + ".png", path);
}

void damage(const fs::path& path, Damage how) {
    // Sounds are not part of the test scene: start from the generated ones.
    if (!fs::exists(path)) {
        fs::create_directories(path.parent_path());
        fs::copy_file(fs::path(MURKMOOR_SOURCE_DIR) / fs::relative(path, fs::current_path()), path);
    }
    std::string bytes = readFile(path.string());
    switch (how) {
        case Damage::Missing:
            fs::remove(path);
            return;
        case Damage::Empty:
            bytes.clear();
            break;
        case Damage::Truncated:
            bytes.resize(bytes.size() / 2);
            break;
        case Damage::Garbage:
            bytes.assign(4096, '\0');
            for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37 + 11);
            break;
        case Damage::NonSquare:
            writeImage(path, 16, 8);
            return;
        case Damage::Oversized:
            writeImage(path, 40000, 1);
            return;
        case Damage::BadIndices:
            bytes += "o Broken\nusemtl stone\nf 1/1/1 2/2/1 99999/3/1\n";
            break;
        case Damage::NaNVertices:
            bytes +=
                "o Broken\nusemtl stone\nv nan nan nan\nv inf 0 -inf\nv 1 1e39 0\nf -3 -2 -1\n";
            break;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The test scene with its own copy of the shaders, the row's files damaged.
class DamagedFileTest : public SceneGlTest, public testing::WithParamInterface<Row> {};
}  // namespace

TEST_P(DamagedFileTest, IsReportedAndTheSceneStillRendersCleanly) {
    expectMissingUniformLines();  // a program that failed to link has no uniforms
    scene = std::make_unique<TestScene>(floorAndWall());
    const fs::path dir = scene->path();
    writeSolidImage(dir.string() + "/res/loading.jpg", 16, 8, 3, 200);
    fs::remove(dir / "shaders");
    fs::copy(fs::path(MURKMOOR_SOURCE_DIR) / "shaders", dir / "shaders",
             fs::copy_options::recursive);
    for (const DamagedFile& file : GetParam().files) damage(dir / file.file, file.damage);

    const std::string setup = startRenderer(96, 64);
    for (const DamagedFile& file : GetParam().files) {
        std::string said = file.message;
        if (std::string(file.file).rfind("shaders/", 0) == 0) {
            said = std::string("Compiling shader: ") + file.file + "\n";
            if (file.damage == Damage::Missing) {
                said = "Unable to open " + std::string(file.file) +
                       ". Are you in the right directory?" + said;
            }
        }
        EXPECT_THAT(setup, HasSubstr(said)) << file.file;
    }
    // The driver reports a failed compile through the debug output; the frames must add nothing.
    takeGlErrors();
    // Two long frames pass key point 1, whose gate sound plays.
    StdoutCapture frames;
    for (const float dt : {1.0f / 60.0f, 2.0f, 2.0f}) runFrame(dt);
    const FrameHealth health = inspectFrame();
    frames.finish();
    EXPECT_EQ(health.nonFiniteWindow, 0u);
    EXPECT_EQ(health.nonFiniteScene, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    OneRowAProcess, DamagedFileTest,
    testing::Values(
        Row{"LightingShadersLoadingImageAndNaNModel",
            {{"shaders/lighting.frag", Damage::Truncated, ""},
             {"shaders/hdr/lum.comp", Damage::Missing, ""},
             {"shaders/bloom/blur256x.comp", Damage::Empty, ""},
             {"shaders/volumetric/smoke.comp", Damage::Garbage, ""},
             {"res/loading.jpg", Damage::Empty, "Failed to load texture: res/loading.jpg\n"},
             {"res/myhouse/Textures/stone.png", Damage::Empty,
              "Failed to load texture: res/myhouse/Textures/stone.png\n"},
             {"res/myhouse/myhouse.obj", Damage::NaNVertices, ""}}},
        Row{"GeometryShadersSkyFaceAndGarbageModel",
            {{"shaders/geometry.vert", Damage::Empty, ""},
             {"shaders/hdr/hdr.comp", Damage::Truncated, ""},
             {"shaders/shadows/shadowMapPoint2.vert", Damage::Missing, ""},
             {"shaders/particles/fire.geom", Damage::Truncated, ""},
             {"res/cubemap/miramar/interstellar_up.tga", Damage::Empty,
              "Failed to load cubemap texture: res/cubemap/miramar/interstellar_up.tga\n"},
             {"res/myhouse/myhouse.obj", Damage::Garbage, ""},
             {"res/Soundeffects/gate.mp3", Damage::Garbage, ""}}},
        Row{"FinalImageShadersParticleImagesAndBadModel",
            {{"shaders/quadFinal.frag", Damage::Garbage, ""},
             {"shaders/ambient_occlusion/ssao.frag", Damage::Truncated, ""},
             {"shaders/particles/rain.vert", Damage::Empty, ""},
             {"res/particles/fire.png", Damage::Garbage,
              "Failed to load texture: res/particles/fire.png\n"},
             {"res/particles/smoke.png", Damage::Oversized,
              "Failed to load texture: res/particles/smoke.png\n"},
             {"res/cubemap/miramar/interstellar_dn.tga", Damage::NonSquare,
              "Failed to load cubemap texture: res/cubemap/miramar/interstellar_dn.tga\n"},
             {"res/Soundeffects/gate.mp3", Damage::Empty, ""},
             {"res/myhouse/myhouse.obj", Damage::BadIndices, "ERROR (assimp): "},
             {"res/myhouse/myhouse.mtl", Damage::Garbage, ""}}},
        Row{"TruncatedFilesDecodersMayCopeWith",
            {{"res/myhouse/Textures/stone.png", Damage::Truncated, ""},
             {"res/myhouse/Textures/windowsBlack.jpg", Damage::Truncated, ""},
             {"res/cubemap/miramar/interstellar_ft.tga", Damage::Truncated, ""},
             {"res/myhouse/myhouse.obj", Damage::Truncated, ""},
             {"res/Music/horrorPiano.mp3", Damage::Truncated, ""}}},
        Row{"EmptyModelAndOversizedSkyFace",
            {{"res/myhouse/myhouse.obj", Damage::Empty, "ERROR (assimp): "},
             {"res/cubemap/miramar/interstellar_lf.tga", Damage::Oversized,
              "Failed to load cubemap texture: res/cubemap/miramar/interstellar_lf.tga\n"}}}),
    [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });
