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
enum class Damage { Missing, Empty, Truncated, Garbage };

struct BrokenShader {
    const char* file;  // below shaders/
    Damage damage;
};

void PrintTo(const BrokenShader& broken, std::ostream* out) {
    *out << broken.file;
}

std::string describe(const testing::TestParamInfo<BrokenShader>& info) {
    static const char* const kDamage[] = {"Missing", "Empty", "Truncated", "Garbage"};
    std::string name = std::string(kDamage[static_cast<int>(info.param.damage)]) + "_";
    for (const char* c = info.param.file; *c; ++c) name += std::isalnum(*c) ? *c : '_';
    return name;
}

void damage(const fs::path& path, Damage how) {
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    switch (how) {
        case Damage::Missing:
            fs::remove(path);
            return;
        case Damage::Empty:
            text.clear();
            break;
        case Damage::Truncated:
            text.resize(text.size() / 2);
            break;
        case Damage::Garbage:
            for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>((i * 151) ^ 0xA5);
            break;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A scene whose shaders/ is a copy of the repository's with one file damaged.
class BrokenShaderTest : public SceneGlTest, public testing::WithParamInterface<BrokenShader> {};
}  // namespace

TEST_P(BrokenShaderTest, IsReportedAndFramesStillRenderWithoutErrorsOrNaN) {
    expectMissingUniformLines();  // a program that failed to link has no uniforms
    scene = std::make_unique<TestScene>(floorAndWall());
    const fs::path shaders = fs::path(scene->path()) / "shaders";
    fs::remove(shaders);
    fs::copy(fs::path(MURKMOOR_SOURCE_DIR) / "shaders", shaders, fs::copy_options::recursive);
    damage(shaders / GetParam().file, GetParam().damage);

    const std::string setup = startRenderer(96, 64);
    const std::string path = std::string("shaders/") + GetParam().file;
    if (GetParam().damage == Damage::Missing) {
        EXPECT_THAT(setup,
                    HasSubstr("Unable to open " + path + ". Are you in the right directory?"));
    }
    EXPECT_THAT(setup, HasSubstr("Compiling shader: " + path + "\n"));
    // The driver reports the failed compile through the debug output; the frames must add nothing.
    takeGlErrors();
    for (int i = 0; i < 3; ++i) runFrame(i == 1 ? 2.0f : 1.0f / 60.0f);
    const FrameHealth health = inspectFrame();
    EXPECT_EQ(health.nonFiniteWindow, 0u);
    EXPECT_EQ(health.nonFiniteScene, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    OneFileDamaged, BrokenShaderTest,
    testing::Values(BrokenShader{"lighting.frag", Damage::Truncated},
                    BrokenShader{"geometry.vert", Damage::Empty},
                    BrokenShader{"quadFinal.frag", Damage::Garbage},
                    BrokenShader{"hdr/lum.comp", Damage::Missing},
                    BrokenShader{"hdr/hdr.comp", Damage::Truncated},
                    BrokenShader{"bloom/blur256x.comp", Damage::Empty},
                    BrokenShader{"shadows/shadowMapPoint2.vert", Damage::Missing},
                    BrokenShader{"ambient_occlusion/ssao.frag", Damage::Truncated},
                    BrokenShader{"volumetric/smoke.comp", Damage::Garbage},
                    BrokenShader{"particles/fire.geom", Damage::Truncated},
                    BrokenShader{"particles/rain.vert", Damage::Empty}),
    describe);
