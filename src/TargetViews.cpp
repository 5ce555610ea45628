#include "TargetViews.h"

#include "ClearedTexture.h"
#include "Effects/BlurComp.h"
#include "Effects/BlurFrag.h"
#include "Effects/Quad.h"
#include "Effects/ShadowMapping.h"
#include "Effects/SmokeVolume.h"
#include "Effects/Ssao.h"
#include "GlLabels.h"
#include "GlTargets.h"
#include "Renderer.h"
#include "TextureUnits.h"

namespace {
// The bright image and the bloom hold the light above the bright pass's threshold only: shown
// brighter than the lit scene, so that their faint parts read.
constexpr float kFaintLightExposure = 4.0f;

GLuint makeCopyTarget(int width, int height, const char* label) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA16F, width, height);
    setSampling(GL_TEXTURE_2D, GL_LINEAR, GL_CLAMP_TO_EDGE);
    labelGlObject(GL_TEXTURE, texture, label);
    return texture;
}

// A view's program: the full-screen quad and one fragment shader of shaders/views/, whose samplers
// read the first and second view units.
ShaderProgram viewProgram(const char* fragmentFile, const char* unit0,
                          const char* unit1 = nullptr) {
    ShaderProgram program("quad.vert", std::string("views/") + fragmentFile);
    program.setInt(unit0, units::kViewFirst);
    if (unit1) program.setInt(unit1, units::kViewSecond);
    return program;
}

void copyTexture(GLuint from, GLuint to, int width, int height) {
    glCopyImageSubData(from, GL_TEXTURE_2D, 0, 0, 0, 0, to, GL_TEXTURE_2D, 0, 0, 0, 0, width,
                       height, 1);
}
}  // namespace

TargetViews::TargetViews(int width, int height, int halfWidth, int halfHeight)
    : width_(width), height_(height), halfWidth_(halfWidth), halfHeight_(halfHeight) {
    litCopy_ = makeCopyTarget(width, height, "view copy: lit scene");
    occlusionCopy_ = makeCopyTarget(halfWidth, halfHeight, "view copy: blurred occlusion");
    // Kept only while ambient occlusion runs: until then it shows open surfaces.
    clearTexture2D(occlusionCopy_, glm::vec4(1.0f));
    albedo_ = viewProgram("albedo.frag", "u_colorSpec");
    specular_ = viewProgram("specular.frag", "u_colorSpec");
    normal_ = viewProgram("normal.frag", "u_normal", "u_fragPos");
    position_ = viewProgram("position.frag", "u_fragPos");
    depth_ = viewProgram("depth.frag", "u_viewSpace", "u_fragPos");
    occlusion_ = viewProgram("occlusion.frag", "u_occlusion");
    shadowCube_ = viewProgram("shadowCube.frag", "u_shadowCube");
    hdrImage_ = viewProgram("hdrImage.frag", "u_image");
    smokeFaces_ = viewProgram("smokeFaces.frag", "u_facePoints");
    smokeSlice_ = viewProgram("smokeSlice.frag", "u_volume");
}

void TargetViews::keepLitScene(GLuint scene) {
    copyTexture(scene, litCopy_, width_, height_);
}

void TargetViews::keepOcclusion(GLuint blurred) {
    copyTexture(blurred, occlusionCopy_, halfWidth_, halfHeight_);
}

void TargetViews::draw(TargetView view, const Renderer& renderer) {
    const GBuffer& g = renderer.gBuffer;
    const float aspect = static_cast<float>(width_) / static_cast<float>(height_);
    const ShaderProgram* program = &hdrImage_;
    switch (view) {
        case TargetView::Albedo:
        case TargetView::Specular:
            program = view == TargetView::Albedo ? &albedo_ : &specular_;
            bindTexture(units::kViewFirst, GL_TEXTURE_2D, g.colorSpec);
            break;
        case TargetView::Normal:
            program = &normal_;
            bindTexture(units::kViewFirst, GL_TEXTURE_2D, g.normal);
            bindTexture(units::kViewSecond, GL_TEXTURE_2D, g.fragPos);
            break;
        case TargetView::Position:
            program = &position_;
            bindTexture(units::kViewFirst, GL_TEXTURE_2D, g.fragPos);
            break;
        case TargetView::Depth:
            program = &depth_;
            bindTexture(units::kViewFirst, GL_TEXTURE_2D, g.viewSpace);
            bindTexture(units::kViewSecond, GL_TEXTURE_2D, g.fragPos);
            break;
        case TargetView::OcclusionRaw:
        case TargetView::OcclusionBlurred:
            program = &occlusion_;
            bindTexture(units::kViewFirst, GL_TEXTURE_2D,
                        view == TargetView::OcclusionRaw ? renderer.ssao->target.getTexture()
                                                         : occlusionCopy_);
            break;
        case TargetView::Shadow:
            program = &shadowCube_;
            bindTexture(units::kViewFirst, GL_TEXTURE_CUBE_MAP, renderer.shadowMapping->cubeMap);
            program->setFloat("u_aspect", aspect);
            break;
        case TargetView::Lit:
            bindTexture(units::kViewFirst, GL_TEXTURE_2D, litCopy_);
            break;
        case TargetView::Bright:
            bindTexture(units::kViewFirst, GL_TEXTURE_2D, renderer.brightTexture);
            break;
        case TargetView::Bloom: {
            const int mode = renderer.bloomMode;
            // With bloom off there is none: the default texture reads black.
            bindTexture(units::kViewFirst, GL_TEXTURE_2D,
                        mode == 1 ? renderer.blurFrag->result
                                  : (mode == 2 ? renderer.blurComp->result : 0));
            break;
        }
        case TargetView::SmokeEntry:
        case TargetView::SmokeExit:
            program = &smokeFaces_;
            bindTexture(units::kViewFirst, GL_TEXTURE_2D,
                        view == TargetView::SmokeEntry ? SmokeVolume::frontFaceTexture
                                                       : SmokeVolume::backFaceTexture);
            break;
        case TargetView::SmokeDensity:
            program = &smokeSlice_;
            bindTexture(units::kViewFirst, GL_TEXTURE_3D, renderer.smoke->volumeTexture);
            program->setFloat("u_aspect", aspect);
            break;
        case TargetView::Final:
        case TargetView::Count:
            return;
    }
    glUseProgram(program->id);
    if (program == &hdrImage_) {
        program->setFloat("u_exposure", view == TargetView::Lit ? 1.0f : kFaintLightExposure);
    }
    Quad::draw();
}
