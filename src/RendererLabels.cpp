// Labels for graphics debuggers on every GL object the renderer and its effects own, so that a
// captured frame names its targets as the frame study does. Programs, loaded textures and the
// buffers of the few helpers that keep no name are labelled where they are made.
#include <string>

#include "Effects/BlurFrag.h"
#include "Effects/FireParticles.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/Quad.h"
#include "Effects/RainParticles.h"
#include "Effects/ShadowMapping.h"
#include "Effects/SmokeVolume.h"
#include "Effects/Ssao.h"
#include "GlLabels.h"
#include "Globals.h"
#include "Renderer.h"

namespace {
void labelTarget(const Quad& target, const std::string& label) {
    labelGlObject(GL_FRAMEBUFFER, target.framebuffer, label);
    labelGlObject(GL_TEXTURE, target.getTexture(), label);
}
}  // namespace

void Renderer::labelGlObjects() {
    labelGlObject(GL_FRAMEBUFFER, gBuffer.framebuffer, "g-buffer");
    labelGlObject(GL_TEXTURE, gBuffer.colorSpec, "g-buffer: albedo, specular");
    labelGlObject(GL_TEXTURE, gBuffer.fragPos, "g-buffer: world position");
    labelGlObject(GL_TEXTURE, gBuffer.normal, "g-buffer: world normal");
    labelGlObject(GL_TEXTURE, gBuffer.viewSpace, "g-buffer: view-space position");
    labelGlObject(GL_TEXTURE, gBuffer.depthStencil, "g-buffer: depth, stencil");
    const char* const plain[3] = {"plain albedo", "plain specular", "flat normal"};
    for (int type = 0; type < 3; ++type) {
        labelGlObject(GL_TEXTURE, plainMaterialTextures[type], plain[type]);
    }
    labelTarget(*fullResTarget, "lit scene (HDR)");
    labelTarget(*halfResTarget, "bloom, half size");
    labelGlObject(GL_TEXTURE, brightTexture, "bright image");
    labelGlObject(GL_TEXTURE, spareHalfTexture, "compute blur scratch");
    labelTarget(*blurFrag->targetA, "fragment blur, horizontal");
    labelTarget(*blurFrag->targetB, "fragment blur, vertical");
    labelTarget(ssao->target, "ambient occlusion, raw");
    labelGlObject(GL_TEXTURE, Ssao::noiseTexture, "ambient occlusion noise");
    labelGlObject(GL_TEXTURE, shadowMapping->cubeMap, "shadow cube map");
    labelGlObject(GL_FRAMEBUFFER, shadowMapping->depthFramebuffer, "shadow cube map");
    labelGlObject(GL_BUFFER, hdr->lumBuffer, "luminance sums");

    labelGlObject(GL_TEXTURE, smoke->volumeTexture, "smoke: advected velocity, density");
    labelGlObject(GL_TEXTURE, smoke->velocityTexture, "smoke: velocity, density");
    labelGlObject(GL_TEXTURE, smoke->scalarTexture, "smoke: pressure");
    labelGlObject(GL_FRAMEBUFFER, SmokeVolume::faceFramebuffer, "smoke faces");
    labelGlObject(GL_TEXTURE, SmokeVolume::frontFaceTexture, "smoke entry faces");
    labelGlObject(GL_TEXTURE, SmokeVolume::backFaceTexture, "smoke exit faces");
    labelGlObject(GL_BUFFER, SmokeVolume::cubeVertexBuffer, "smoke box");

    labelGlObject(GL_BUFFER, fire->buffer0, "fire: positions, sizes");
    labelGlObject(GL_BUFFER, fire->buffer1, "fire: velocities, random states");
    labelGlObject(GL_BUFFER, fire->buffer2, "fire: life left");
    labelGlObject(GL_BUFFER, fire->counter, "fire: emission counter");
    labelGlObject(GL_BUFFER, rain->buffer, "rain: drops");
    labelGlObject(GL_BUFFER, rain->counter, "rain: emission counter");
    labelGlObject(GL_BUFFER, Quad::vertexBuffer, "full-screen quad");

    for (const Mesh& mesh : house.meshes) {
        labelGlObject(GL_BUFFER, mesh.vbo, "mesh " + mesh.name + ": vertices");
        labelGlObject(GL_BUFFER, mesh.ebo, "mesh " + mesh.name + ": indices");
    }
}
