#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "GlTestFixture.h"
#include "Globals.h"
#include "RobustnessSupport.h"
#include "StdoutCapture.h"

using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {
enum class Damage {
    Empty,        // zero bytes
    Truncated,    // the first half of the file
    Garbage,      // bytes of no format at all
    NonSquare,    // a good image, 16 x 8
    Oversized,    // a good image wider than any GL texture may be
    BadIndices,   // (model) faces naming vertices that do not exist
    NaNVertices,  // (model) a mesh whose positions are not numbers or infinite
};

struct CorruptAsset {
    const char* file;  // below the scene directory
    Damage damage;
    const char* message;  // what the program says about it; empty where a decoder may cope
};

void PrintTo(const CorruptAsset& asset, std::ostream* out) {
    *out << asset.file;
}

std::string describe(const testing::TestParamInfo<CorruptAsset>& info) {
    static const char* const kDamage[] = {"Empty",     "Truncated",  "Garbage",    "NonSquare",
                                          "Oversized", "BadIndices", "NaNVertices"};
    std::string name = std::string(kDamage[static_cast<int>(info.param.damage)]) + "_";
    const std::string file = fs::path(info.param.file).filename().string();
    for (const char c : file) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void damage(const fs::path& path, Damage how) {
    // Sounds are not part of the test scene: start from the generated ones.
    if (!fs::exists(path)) {
        const fs::path relative = fs::relative(path, fs::current_path());
        fs::create_directories(path.parent_path());
        fs::copy_file(fs::path(MURKMOOR_SOURCE_DIR) / relative, path);
    }
    std::string bytes = readBytes(path);
    switch (how) {
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
            fs::remove(path);
            writeSolidImage(path.string() + ".png", 16, 8, 3, 90);
            fs::rename(path.string() + ".png", path);
            return;
        case Damage::Oversized:
            fs::remove(path);
            writeSolidImage(path.string() + ".png", 40000, 1, 3, 90);
            fs::rename(path.string() + ".png", path);
            return;
        case Damage::BadIndices:
            bytes += "o Broken\nusemtl stone\nf 1/1/1 2/2/1 99999/3/1\n";
            break;
        case Damage::NaNVertices:
            bytes +=
                "o Broken\nusemtl stone\nv nan nan nan\nv inf 0 -inf\nv 1 1e39 0\nf -3 -2 -1\n";
            break;
    }
    writeBytes(path, bytes);
}

class CorruptAssetTest : public SceneGlTest, public testing::WithParamInterface<CorruptAsset> {};
}  // namespace

TEST_P(CorruptAssetTest, IsReportedAndTheSceneStillRendersCleanly) {
    scene = std::make_unique<TestScene>(floorAndWall());
    writeSolidImage(scene->path() + "/res/loading.jpg", 16, 8, 3, 200);
    damage(fs::path(scene->path()) / GetParam().file, GetParam().damage);

    const std::string setup = startRenderer(96, 64);
    if (*GetParam().message) {
        EXPECT_THAT(setup, HasSubstr(GetParam().message));
    }
    EXPECT_THAT(setup, ::testing::Not(HasSubstr("Uniform does not exist")));
    ASSERT_TRUE(glErrors().empty()) << glErrors().front();

    // The smoke reads no file; without it the frames are quick. Two long frames pass key point 1,
    // whose gate sound plays.
    renderer.setSwitch("doSmoke", 0);
    StdoutCapture frames;
    for (const float dt : {1.0f / 60.0f, 2.0f, 2.0f}) runFrame(dt);
    const FrameHealth health = inspectFrame();
    frames.finish();
    EXPECT_EQ(health.nonFiniteWindow, 0u);
    EXPECT_EQ(health.nonFiniteScene, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    OneFileDamaged, CorruptAssetTest,
    testing::Values(
        CorruptAsset{"res/loading.jpg", Damage::Empty, "Failed to load texture: res/loading.jpg\n"},
        CorruptAsset{"res/myhouse/Textures/stone.png", Damage::Empty,
                     "Failed to load texture: res/myhouse/Textures/stone.png\n"},
        CorruptAsset{"res/myhouse/Textures/stone.png", Damage::Truncated, ""},
        CorruptAsset{"res/myhouse/Textures/windowsBlack.jpg", Damage::Truncated, ""},
        CorruptAsset{"res/particles/fire.png", Damage::Garbage,
                     "Failed to load texture: res/particles/fire.png\n"},
        CorruptAsset{"res/particles/smoke.png", Damage::Oversized,
                     "Failed to load texture: res/particles/smoke.png\n"},
        CorruptAsset{"res/cubemap/miramar/interstellar_up.tga", Damage::Empty,
                     "Failed to load cubemap texture: res/cubemap/miramar/interstellar_up.tga\n"},
        CorruptAsset{"res/cubemap/miramar/interstellar_ft.tga", Damage::Truncated, ""},
        CorruptAsset{"res/cubemap/miramar/interstellar_dn.tga", Damage::NonSquare,
                     "Failed to load cubemap texture: res/cubemap/miramar/interstellar_dn.tga\n"},
        CorruptAsset{"res/cubemap/miramar/interstellar_lf.tga", Damage::Oversized,
                     "Failed to load cubemap texture: res/cubemap/miramar/interstellar_lf.tga\n"},
        CorruptAsset{"res/myhouse/myhouse.obj", Damage::Empty, "ERROR (assimp): "},
        CorruptAsset{"res/myhouse/myhouse.obj", Damage::Truncated, ""},
        CorruptAsset{"res/myhouse/myhouse.obj", Damage::Garbage, ""},
        CorruptAsset{"res/myhouse/myhouse.obj", Damage::BadIndices, "ERROR (assimp): "},
        CorruptAsset{"res/myhouse/myhouse.obj", Damage::NaNVertices, ""},
        CorruptAsset{"res/myhouse/myhouse.mtl", Damage::Garbage, ""},
        CorruptAsset{"res/Music/horrorPiano.mp3", Damage::Truncated, ""},
        CorruptAsset{"res/Soundeffects/gate.mp3", Damage::Empty, ""},
        CorruptAsset{"res/Soundeffects/gate.mp3", Damage::Garbage, ""}),
    describe);
