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
void rewrite(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
void writeImage(const fs::path& path, int width, int height) {  // a good image of another size
    fs::remove(path);
    writeSolidImage(path.string() + ".png", width, height, 3, 90);
    fs::rename(path.string() + ".png", path);
}

// Each way of damaging a file; the images are 16 x 8, or wider than any GL texture.
using Damage = void (*)(const fs::path&);
const Damage Missing = [](const fs::path& path) { fs::remove(path); };
const Damage Empty = [](const fs::path& path) { rewrite(path, ""); };
const Damage Truncated = [](const fs::path& path) {
    const std::string bytes = readFile(path.string());
    rewrite(path, bytes.substr(0, bytes.size() / 2));
};
const Damage Garbage = [](const fs::path& path) {
    std::string bytes(4096, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37 + 11);
    rewrite(path, bytes);
};
const Damage NonSquare = [](const fs::path& path) { writeImage(path, 16, 8); };
const Damage Oversized = [](const fs::path& path) { writeImage(path, 40000, 1); };
const Damage BadIndices = [](const fs::path& path) {
    rewrite(path, readFile(path.string()) + "o Broken\nusemtl stone\nf 1/1/1 2/2/1 99999/3/1\n");
};
const Damage NaNVertices = [](const fs::path& path) {
    rewrite(path,
            readFile(path.string()) +
                "o Broken\nusemtl stone\nv nan nan nan\nv inf 0 -inf\nv 1 1e39 0\nf -3 -2 -1\n");
};

// What the set-up prints for a damaged file, %s its name; nothing where a decoder may cope.
const char* const kShader = "Compiling shader: %s\n";
const char* const kMissingShader =
    "Unable to open %s. Are you in the right directory?Compiling shader: %s\n";
const char* const kTexture = "Failed to load texture: %s\n";
const char* const kCubemap = "Failed to load cubemap texture: %s\n";
const char* const kAssimp = "ERROR (assimp): ";

struct DamagedFile {
    const char* file;
    Damage damage;
    const char* message = "";
};

struct Row {
    const char* name;
    std::vector<DamagedFile> files;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
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
    for (const DamagedFile& file : GetParam().files) {
        const fs::path path = dir / file.file;
        if (!fs::exists(path)) {  // sounds are not in the test scene: damage the generated ones
            fs::create_directories(path.parent_path());
            fs::copy_file(fs::path(MURKMOOR_SOURCE_DIR) / file.file, path);
        }
        file.damage(path);
    }

    const std::string setup = startRenderer(96, 64);
    for (const DamagedFile& file : GetParam().files) {
        std::string said = file.message;
        for (size_t at; (at = said.find("%s")) != std::string::npos;)
            said.replace(at, 2, file.file);
        EXPECT_THAT(setup, HasSubstr(said)) << file.file;
    }
    // The driver reports a failed compile through the debug output; the frames must add nothing.
    takeGlErrors();
    // Two long frames pass key point 1, whose gate sound plays.
    StdoutCapture frames;
    for (const float dt : {1.0f / 60.0f, 2.0f, 2.0f}) runFrame(dt);
    const FrameHealth health = inspectFrame();
    frames.finish();
    EXPECT_EQ(health.nonFiniteWindow + health.nonFiniteScene, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    OneRowAProcess, DamagedFileTest,
    testing::Values(Row{"LightingShadersLoadingImageAndNaNModel",
                        {{"shaders/lighting.frag", Truncated, kShader},
                         {"shaders/hdr/lum.comp", Missing, kMissingShader},
                         {"shaders/bloom/blur256x.comp", Empty, kShader},
                         {"shaders/volumetric/smoke.comp", Garbage, kShader},
                         {"res/loading.jpg", Empty, kTexture},
                         {"res/myhouse/Textures/stone.png", Empty, kTexture},
                         {"res/myhouse/myhouse.obj", NaNVertices}}},
                    Row{"GeometryShadersSkyFaceAndGarbageModel",
                        {{"shaders/geometry.vert", Empty, kShader},
                         {"shaders/hdr/hdr.comp", Truncated, kShader},
                         {"shaders/shadows/shadowMapPoint2.vert", Missing, kMissingShader},
                         {"shaders/particles/fire.geom", Truncated, kShader},
                         {"res/cubemap/miramar/interstellar_up.tga", Empty, kCubemap},
                         {"res/myhouse/myhouse.obj", Garbage},
                         {"res/Soundeffects/gate.mp3", Garbage}}},
                    Row{"FinalImageShadersParticleImagesAndBadModel",
                        {{"shaders/quadFinal.frag", Garbage, kShader},
                         {"shaders/ambient_occlusion/ssao.frag", Truncated, kShader},
                         {"shaders/particles/rain.vert", Empty, kShader},
                         {"res/particles/fire.png", Garbage, kTexture},
                         {"res/particles/smoke.png", Oversized, kTexture},
                         {"res/cubemap/miramar/interstellar_dn.tga", NonSquare, kCubemap},
                         {"res/Soundeffects/gate.mp3", Empty},
                         {"res/myhouse/myhouse.obj", BadIndices, kAssimp},
                         {"res/myhouse/myhouse.mtl", Garbage}}},
                    Row{"TruncatedFilesDecodersMayCopeWith",
                        {{"res/myhouse/Textures/stone.png", Truncated},
                         {"res/myhouse/Textures/windowsBlack.jpg", Truncated},
                         {"res/cubemap/miramar/interstellar_ft.tga", Truncated},
                         {"res/myhouse/myhouse.obj", Truncated},
                         {"res/Music/horrorPiano.mp3", Truncated}}},
                    Row{"EmptyModelAndOversizedSkyFace",
                        {{"res/myhouse/myhouse.obj", Empty, kAssimp},
                         {"res/cubemap/miramar/interstellar_lf.tga", Oversized, kCubemap}}}),
    [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });
