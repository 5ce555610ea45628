#include "Renderer.h"

#include <cmath>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <string>
#include <vector>

#include "ClearedTexture.h"
#include "EffectSwitches.h"
#include "Effects/Bloom.h"
#include "Effects/BlurComp.h"
#include "Effects/BlurFrag.h"
#include "Effects/FireParticles.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/Quad.h"
#include "Effects/RainParticles.h"
#include "Effects/ShadowMapping.h"
#include "Effects/SmokeVolume.h"
#include "Effects/Ssao.h"
#include "GlLabels.h"
#include "GlTargets.h"
#include "Globals.h"
#include "LetterboxQuad.h"
#include "Model.h"
#include "Parameters.h"
#include "SceneAnchors.h"
#include "SceneSounds.h"
#include "ShaderProgram.h"
#include "SkyCube.h"
#include "SoundEngine.h"
#include "TargetViews.h"
#include "Texture.h"
#include "TextureUnits.h"

namespace {
// The view without its translation: the sky stays at infinity however the camera moves.
glm::mat4 skyViewProjection(const Camera& camera) {
    return camera.projection * glm::mat4(glm::mat3(camera.view));
}

// Texels between the taps of the bloom's later blur runs.
constexpr int kWideBloomTapSpacing = 2;

// Seconds from the first drops until the storm has hidden the moon and soaked the ground.
constexpr float kStormSetInSeconds = 6.0f;

// A vertical axis through (x, z), as the point on it at height 0 that the turns go round.
glm::vec3 onGround(glm::vec2 axis) {
    return {axis.x, 0.0f, axis.y};
}
}  // namespace

void Renderer::init(float width, float height) {
    setSizes(width, height);
    createPrograms();
    createLights();
    placeCamera();
    applyFixedUniforms();
    createTargets();
    createEffects();
    rememberParameterDefaults(*this);
    setPipelineState();
    showLoadingScreen();
}

void Renderer::setSizes(float width, float height) {
    viewportWidth = static_cast<int>(width);
    viewportHeight = static_cast<int>(height);
    targetWidth = viewportWidth;
    targetHeight = viewportHeight;
    halfWidth = static_cast<int>(std::round(targetWidth * halfResScale));
    halfHeight = static_cast<int>(std::round(targetHeight * halfResScale));
}

void Renderer::createPrograms() {
    geometryProgram = new ShaderProgram("geometry.vert", "geometry.frag");
    lightingProgram = new ShaderProgram("quad.vert", "lighting.frag");
    skyboxProgram = new ShaderProgram("skybox.vert", "skybox.frag");
    quadProgram = new ShaderProgram("quad.vert", "quad.frag");
    finalProgram = new ShaderProgram("quad.vert", "quadFinal.frag");
}

void Renderer::createLights() {
    shadowLight = lights.addLight(anchors::kBlueWisp);
    shadowLight->colour = anchors::kBlueWispColour;
    shadowLight->specular = anchors::kBlueWispSpecular;
    lights.addLight(anchors::kHallLantern)->colour = anchors::kHallLanternColour;
    lights.addLight(anchors::kRightGateLantern)->colour = anchors::kGateLanternColour;
    lights.addLight(anchors::kLeftGateLantern)->colour = anchors::kGateLanternColour;
    fireLight = lights.addLight(anchors::kFireSource);
    fireLight->colour = anchors::kFireColour;
    addShortLight(anchors::kStatueMoonRim, anchors::kMoonRimTint * anchors::kStatueMoonRimStrength,
                  anchors::kMoonRimSpecular, anchors::kMoonRimFalloff);
    addShortLight(anchors::kScarecrowMoonRim,
                  anchors::kMoonRimTint * anchors::kScarecrowMoonRimStrength,
                  anchors::kMoonRimSpecular, anchors::kMoonRimFalloff);
    addShortLight(anchors::kKennelLantern, anchors::kKennelLanternColour, 1.0f,
                  anchors::kKennelLanternFalloff);
    lights.ambient = anchors::kAmbient;
}

void Renderer::addShortLight(glm::vec3 position, glm::vec3 colour, float specular,
                             glm::vec2 falloff) {
    Light* light = lights.addLight(position);
    light->colour = colour;
    light->specular = specular;
    light->linear = falloff.x;
    light->quadratic = falloff.y;
}

void Renderer::placeCamera() {
    camera = Camera(anchors::kCameraStart, anchors::kCameraStartLook, anchors::kFieldOfViewDegrees,
                    static_cast<float>(targetWidth), static_cast<float>(targetHeight),
                    anchors::kNearPlane, anchors::kFarPlane);
}

void Renderer::applyFixedUniforms() {
    setMaterialFootprint(*geometryProgram);
    geometryProgram->setMat4("u_modelMatrix", house.modelMatrix);
    geometryProgram->setMat4("u_modelMatrixInverseTranspose",
                             glm::transpose(glm::inverse(house.modelMatrix)));
    geometryProgram->setInt("u_texDiffuse", units::kDiffuseMap);
    geometryProgram->setInt("u_texSpecular", units::kSpecularMap);
    geometryProgram->setInt("u_texNormal", units::kNormalMap);

    lightingProgram->setInt("u_texColorSpec", units::kColorSpec);
    lightingProgram->setInt("u_texFragPos", units::kFragPos);
    lightingProgram->setInt("u_texNormal", units::kNormal);
    lightingProgram->setInt("u_texViewSpace", units::kViewSpace);
    lightingProgram->setInt("u_texAmbientOcclusion", units::kAmbientOcclusion);
    for (int i = 0; i < units::kShadowCubeCount; ++i) {
        lightingProgram->setInt("u_texShadowsCubemaps[" + std::to_string(i) + "]",
                                units::kShadowCubes + i);
    }
    lights.setUniforms(*lightingProgram);
    ShadowMapping::setLightingUniforms(*lightingProgram, *shadowLight);
    lightingProgram->setInt("u_fogSelector", 1);
    lightingProgram->setInt("u_depthFog", 1);
    applyFog();

    skyboxProgram->setInt("u_tex", units::kImage);
    quadProgram->setInt("u_tex", units::kImage);
    finalProgram->setInt("u_texColor", units::kImage);
    finalProgram->setInt("u_texBloom", units::kBloom);
    finalProgram->setFloat("u_bloomStrength", bloomStrength);
    setFrameUniforms();
}

void Renderer::applyFog() {
    lightingProgram->setVec3("u_fogColor", fogColour);
    lightingProgram->setFloat("u_fogDensity", fogDensity);
}

void Renderer::applySwitches() {
    for (size_t i = 0; i < kEffectSwitchCount; ++i) {
        if (kEffectSwitches[i].apply) kEffectSwitches[i].apply(*this);
    }
}

void Renderer::createTargets() {
    createGBuffer();
    createBloomTextures();
    createPlainMaterialTextures();
    halfResTarget = new Quad(true, halfWidth, halfHeight);
    fullResTarget = new Quad(true, targetWidth, targetHeight, GL_RGBA16F, GL_RGBA);
    // The lit scene is drawn over the G-buffer's depth and stencil: the sky, the particles and the
    // smoke test against them.
    fullResTarget->bind(false);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                           gBuffer.depthStencil, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Renderer::createEffects() {
    shadowMapping = new ShadowMapping(shadowLight);
    bloom = new Bloom(targetWidth, targetHeight);
    blurFrag = new BlurFrag(halfWidth, halfHeight);
    blurComp = new BlurComp(halfWidth, halfHeight);
    hdr = new HdrToneMapping(targetWidth, targetHeight);
    // The smoke box: the unit cube scaled and moved onto the cauldron, its base centred on the rim.
    const glm::mat4 smokePlacement = glm::scale(
        glm::translate(glm::mat4(1.0f), anchors::kSmokeBoxMin), glm::vec3(anchors::kSmokeBoxSize));
    smoke = new SmokeVolume(targetWidth, targetHeight, lights, anchors::kSmokeGrid, smokePlacement);
    ssao = new Ssao(targetWidth, targetHeight, camera.getProjection());
    // What a view shows of a target whose pass has not run: nothing in it. Occlusion reads 1, open.
    clearTexture2D(brightTexture, glm::vec4(0.0f));
    clearTexture2D(SmokeVolume::frontFaceTexture, glm::vec4(0.0f));
    clearTexture2D(SmokeVolume::backFaceTexture, glm::vec4(0.0f));
    clearTexture2D(ssao->target.getTexture(), glm::vec4(1.0f));

    fire = new FireParticles(gBuffer.fragPos, anchors::kFireParticles);
    fire->setSource(fireLight->position, anchors::kFireSpread, anchors::kFireTargetOffset,
                    anchors::kFireAttraction);
    fire->setSourceVelocity(anchors::kFireRiseVelocity);
    fire->setSphere(anchors::kFireSphereOffset, anchors::kFireSphereRadius);
    fire->setTimeToLive(anchors::kFireSeconds);

    rain = new RainParticles();
    rain->setArea(anchors::kRainAreaMin, anchors::kRainAreaMax, anchors::kRainTop,
                  anchors::kRainBottom);
    rain->setSpeed(anchors::kRainSpeed);
    rain->setScale(anchors::kRainStreak);
    applySwitches();
}

void Renderer::setPipelineState() {
    glEnable(GL_CULL_FACE);
    // Filtering across a cube face's edge reads the neighbouring face: no seams in sky or shadow.
    glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
}

void Renderer::showLoadingScreen() {
    int imageWidth = 0;
    int imageHeight = 0;
    const GLuint loading = loadTexture("loading.jpg", "res", imageWidth, imageHeight);
    if (imageWidth <= 0 || imageHeight <= 0) {
        // No image: a full-window quad showing whatever the empty texture samples as.
        imageWidth = viewportWidth;
        imageHeight = viewportHeight;
    }
    const GLuint loadingQuad =
        makeLetterboxQuad(static_cast<float>(viewportWidth), static_cast<float>(viewportHeight),
                          static_cast<float>(imageWidth), static_cast<float>(imageHeight));
    drawTextureToScreen(loadingQuad, loading);
    // Drawn, it exists even when its file could not be read.
    labelGlObject(GL_TEXTURE, loading, "loading screen");
}

void Renderer::createGBuffer() {
    const int w = targetWidth;
    const int h = targetHeight;
    gBuffer.fragPos = makeTexture2D(GL_RGBA16F, w, h, GL_RGBA, GL_FLOAT, GL_NEAREST);
    gBuffer.normal = makeTexture2D(GL_RGB16F, w, h, GL_RGB, GL_FLOAT, GL_NEAREST);
    gBuffer.colorSpec = makeTexture2D(GL_RGBA, w, h, GL_RGBA, GL_UNSIGNED_BYTE, GL_NEAREST);
    gBuffer.viewSpace = makeTexture2D(GL_RGB16F, w, h, GL_RGB, GL_UNSIGNED_BYTE, GL_NEAREST);
    gBuffer.depthStencil = makeTexture2D(GL_DEPTH24_STENCIL8, w, h, GL_DEPTH_STENCIL,
                                         GL_UNSIGNED_INT_24_8, GL_NEAREST);

    gBuffer.framebuffer =
        makeFramebuffer("Full-res", {{GL_COLOR_ATTACHMENT0, gBuffer.colorSpec},
                                     {GL_COLOR_ATTACHMENT1, gBuffer.fragPos},
                                     {GL_COLOR_ATTACHMENT2, gBuffer.normal},
                                     {GL_COLOR_ATTACHMENT3, gBuffer.viewSpace},
                                     {GL_DEPTH_STENCIL_ATTACHMENT, gBuffer.depthStencil}});
    glDrawBuffers(4, attachments);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Renderer::createBloomTextures() {
    brightTexture =
        makeTexture2D(GL_RGBA16F, targetWidth, targetHeight, GL_RGBA, GL_FLOAT, GL_LINEAR);
    spareHalfTexture =
        makeTexture2D(GL_RGBA16F, halfWidth, halfHeight, GL_RGBA, GL_FLOAT, GL_LINEAR);
}

void Renderer::createPlainMaterialTextures() {
    // What an untextured surface shows: mid-grey albedo, faint specular, the unperturbed normal.
    // They are sampled as the material maps are, so that the driver's shader variants for the
    // maps serve them too.
    const GLubyte texels[3][3] = {{128, 128, 128}, {26, 26, 26}, {128, 128, 255}};
    for (int type = 0; type < 3; ++type) {
        glGenTextures(1, &plainMaterialTextures[type]);
        glBindTexture(GL_TEXTURE_2D, plainMaterialTextures[type]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels[type]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        setMaterialSampling();
    }
}

void Renderer::bindPlainMaterialTextures() {
    const GLint materialUnits[3] = {units::kDiffuseMap, units::kSpecularMap, units::kNormalMap};
    for (int type = 0; type < 3; ++type) {
        bindTexture(materialUnits[type], GL_TEXTURE_2D, plainMaterialTextures[type]);
    }
}

void Renderer::drawTextureToScreen(GLuint quadVertexArray, GLuint texture) {
    glViewport(0, 0, viewportWidth, viewportHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glUseProgram(finalProgram->id);
    // The image is display-encoded already: show it as it is, then go back to encoding frames.
    finalProgram->setInt("u_encodeOutput", 0);
    bindTexture(units::kImage, GL_TEXTURE_2D, texture);
    glBindVertexArray(quadVertexArray);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    finalProgram->setInt("u_encodeOutput", 1);
}

void Renderer::loadScene() {
    // The sounds decode on the engine's own thread while the scene loads.
    preloadSceneSounds(soundEngine);
    std::vector<LoadedTexture> textureCache;
    loadModel(textureCache, "res/myhouse/myhouse.obj", house);

    skybox.cubeMap = loadCubeMap(
        "res/cubemap/miramar", "interstellar_ft.tga", "interstellar_bk.tga", "interstellar_up.tga",
        "interstellar_dn.tga", "interstellar_rt.tga", "interstellar_lf.tga");
    skybox.textureUnit = units::kImage;
    skybox.program = skyboxProgram;
    skybox.vertexArray = makeSkyCubeVertexArray();

    int width = 0;
    int height = 0;
    const GLuint fireTexture = loadTexture("fire.png", "res/particles", width, height);
    const GLuint smokeTexture = loadTexture("smoke.png", "res/particles", width, height);
    const GLuint blackWindow =
        loadTexture("windowsBlack.jpg", "res/myhouse/Textures", width, height);
    const GLuint figureWindow =
        loadTexture("windowsFigure.jpg", "res/myhouse/Textures", width, height);
    fire->fireTexture = fireTexture;
    fire->smokeTexture = smokeTexture;
    fire->drawProgram.setInt("hasTexFire", 1);
    fire->drawProgram.setInt("hasTexSmoke", 1);

    cameraPath = CameraPath(&camera, rain);
    cameraPath.soundEngine = soundEngine;
    cameraPath.lightning = &lightning;
    cameraPath.blackWindowTexture = blackWindow;
    cameraPath.figureWindowTexture = figureWindow;
    if (soundEngine) soundEngine->play2D(kMusicFile, false, false, false, ESM_AUTO_DETECT, false);

    findNamedMeshes();
    cameraPath.windowMesh = meshAt(windowIndex);
    textureCache.clear();
    labelGlObjects();
    rememberFlightStart();
}

void Renderer::findNamedMeshes() {
    for (int i = 0; i < static_cast<int>(house.meshes.size()); ++i) {
        const std::string& name = house.meshes[i].name;
        if (name == anchors::kChairMesh) chairIndex = i;
        if (name == anchors::kRightGateMesh) rightDoorIndex = i;
        if (name == anchors::kLeftGateMesh) leftDoorIndex = i;
        if (name == anchors::kBoneMesh) boneIndex = i;
        if (name == anchors::kChangingWindowMesh) windowIndex = i;
    }
}

Mesh* Renderer::meshAt(int index) {
    if (index < 0 || index >= static_cast<int>(house.meshes.size())) return nullptr;
    return &house.meshes[index];
}

void Renderer::update(float dt) {
    cameraPath.update(dt);
    lightning.update(dt);
    if (rain->active && dt > 0.0f) storm = std::fmin(storm + dt / kStormSetInSeconds, 1.0f);
    viewFrustum.fromCamera(camera);
    animateMeshes(dt);
    setFrameUniforms();
    if (doSmoke != 0 && smokeHeld) smoke->followCamera(camera);
    if (doSmoke != 0 && !smokeHeld) runPass(Pass::SmokeStep, [&] { smoke->update(dt, camera); });
    if (hdrMode != 0 && hdr->mode == 1) runPass(Pass::Adapt, [&] { hdr->adapt(dt); });
    if (doFire != 0) {
        runPass(Pass::FireStep, [&] {
            fire->setMatrices(camera.projection, camera.view);
            fire->update(dt);
        });
    }
    if (doRain != 0) {
        runPass(Pass::RainStep, [&] {
            rain->setMatrices(camera.projection, camera.view);
            rain->update(dt);
        });
    }
}

void Renderer::animateMeshes(float dt) {
    chairSwing += 10.0f * dt;
    if (std::fabs(chairSwing) >= 9.0f) {
        chairSign = -chairSign;
        chairSwing = 0.0f;
    }
    if (Mesh* chair = meshAt(chairIndex)) {
        chair->translate(-anchors::kChairPivot);
        chair->rotate(10.0f * dt * chairSign, {1.0f, 0.0f, 0.0f});
        chair->translate(anchors::kChairPivot);
    }

    const float swing = anchors::kGateSwingDegreesPerSecond * dt;
    doorAngle += swing;
    if (doorAngle <= anchors::kGateOpenDegrees) {
        if (Mesh* right = meshAt(rightDoorIndex)) {
            right->translate(-onGround(anchors::kRightGateHinge));
            right->rotate(-swing, {0.0f, 1.0f, 0.0f});
            right->translate(onGround(anchors::kRightGateHinge));
        }
        if (Mesh* left = meshAt(leftDoorIndex)) {
            left->translate(-onGround(anchors::kLeftGateHinge));
            left->rotate(swing, {0.0f, 1.0f, 0.0f});
            left->translate(onGround(anchors::kLeftGateHinge));
        }
    }

    if (Mesh* bone = meshAt(boneIndex)) {
        bone->translate(-onGround(anchors::kBoneAxis));
        bone->rotate(-60.0f * dt, {0.0f, 1.0f, 0.0f});
        bone->translate(onGround(anchors::kBoneAxis));
    }
}

void Renderer::setFrameUniforms() {
    const glm::mat4 viewProj = camera.projection * camera.view;
    geometryProgram->setMat4("u_viewMatrix", camera.view);
    geometryProgram->setMat4("u_viewProjMatrix", viewProj);
    geometryProgram->setVec3("u_camPos", camera.position);
    lightingProgram->setVec3("u_camPos", camera.position);
    lightingProgram->setFloat("u_storm", storm);
    const float flash = softFlash != 0 ? lightning.softenedBrightness() : lightning.brightness();
    lightingProgram->setFloat("u_flash", flash);
    skyboxProgram->setMat4("u_viewProjMatrix", skyViewProjection(camera));
    skyboxProgram->setFloat("u_storm", storm);
    skyboxProgram->setFloat("u_flash", flash);
}

void Renderer::render() {
    if (view != TargetView::Final && !targetViews) {
        targetViews = new TargetViews(targetWidth, targetHeight, halfWidth, halfHeight);
    }
    glEnable(GL_DEPTH_TEST);
    if (doShadows != 0) runPass(Pass::Shadow, [&] { shadowMapping->render(house); });
    runPass(Pass::GBuffer, [&] { fillGBuffer(); });
    glDisable(GL_DEPTH_TEST);
    if (doSmoke != 0) runPass(Pass::SmokeFaces, [&] { smoke->renderFaces(); });
    glDisable(GL_STENCIL_TEST);
    if (doAmbientOcclusion != 0) {
        runPass(Pass::Ssao, [&] {
            ssao->render(gBuffer.viewSpace, gBuffer.normal, camera.projection, *blurFrag);
            // Bloom's blur will reuse the target that holds the blurred occlusion.
            if (view == TargetView::OcclusionBlurred) targetViews->keepOcclusion(ssao->result);
        });
    }
    runPass(Pass::Lighting, [&] { lightScene(); });
    runPass(Pass::Sky, [&] { drawSky(); });
    if (doFire != 0) runPass(Pass::Fire, [&] { fire->draw(); });
    if (doRain != 0) runPass(Pass::Rain, [&] { rain->draw(); });
    if (doSmoke != 0) runPass(Pass::SmokeMarch, [&] { smoke->draw(gBuffer.fragPos); });

    const GLuint scene = fullResTarget->getTexture();
    // Tone mapping maps the scene in place.
    if (view == TargetView::Lit) targetViews->keepLitScene(scene);
    if (hdrMode != 0 || bloomMode != 0) {
        runPass(Pass::ToneOrBright, [&] {
            if (hdrMode == 0) {
                bloom->extract(scene, brightTexture);
            } else {
                hdr->render(scene, scene, brightTexture);
            }
        });
    }
    if (bloomMode != 0) runPass(Pass::BloomBlur, [&] { blurBloom(); });
    runPass(Pass::Composite, [&] { composite(scene); });
    overlay.draw(*this);
}

void Renderer::beginPass(Pass pass) {
    openDebugGroup(passName(pass));
    if (profiler) profiler->begin(pass);
}

void Renderer::endPass(Pass pass) {
    if (profiler) profiler->end(pass);
    closeDebugGroup();
}

// Every pixel where geometry passes the depth test gets stencil 1, so the sky can fill the rest.
void Renderer::fillGBuffer() {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glViewport(0, 0, targetWidth, targetHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, gBuffer.framebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT1);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const GLenum otherAttachments[3] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT2,
                                        GL_COLOR_ATTACHMENT3};
    glDrawBuffers(3, otherAttachments);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDrawBuffers(4, attachments);

    glUseProgram(geometryProgram->id);
    geometryProgram->setMat4("u_modelMatrix", identityModelMatrix);
    bindPlainMaterialTextures();
    house.draw(*geometryProgram, *mappingSwitches, viewFrustum);
}

void Renderer::lightScene() {
    fullResTarget->bind(true);
    glUseProgram(lightingProgram->id);
    const GLuint gBufferTextures[4] = {gBuffer.colorSpec, gBuffer.fragPos, gBuffer.normal,
                                       gBuffer.viewSpace};
    const GLint gBufferUnits[4] = {units::kColorSpec, units::kFragPos, units::kNormal,
                                   units::kViewSpace};
    for (int i = 0; i < 4; ++i) bindTexture(gBufferUnits[i], GL_TEXTURE_2D, gBufferTextures[i]);
    if (doAmbientOcclusion != 0) {
        bindTexture(units::kAmbientOcclusion, GL_TEXTURE_2D, ssao->result);
    }
    // The one shadow caster is light 0: its cube map goes on the first shadow unit.
    if (doShadows != 0) {
        bindTexture(units::kShadowCubes, GL_TEXTURE_CUBE_MAP, shadowMapping->cubeMap);
    }
    Quad::draw();
}

void Renderer::drawSky() {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
    glUseProgram(skyboxProgram->id);
    glDepthMask(GL_FALSE);
    glBindVertexArray(skybox.vertexArray);
    bindTexture(static_cast<GLint>(skybox.textureUnit), GL_TEXTURE_CUBE_MAP, skybox.cubeMap);
    glDrawArrays(GL_TRIANGLES, 0, 36);
    glBindVertexArray(0);
    glDepthMask(GL_TRUE);
    glDisable(GL_STENCIL_TEST);
}

// The first run blurs (and downsamples) the bright image texel by texel; the later runs, on an
// image already smooth, reach twice as far with their taps: a halo that reads at night, for the
// cost of a narrow one.
void Renderer::blurBloom() {
    if (bloomMode == 1) {
        blurFrag->blur(brightTexture);
        blurFrag->result = blurFrag->targetB->getTexture();
        for (int i = 0; i < 4; ++i) blurFrag->blur(blurFrag->result, kWideBloomTapSpacing);
    } else if (bloomMode == 2) {
        // The bright image is a compute pass's output: make it visible to the downsample's fetch.
        glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
        halfResTarget->bind(true);
        glUseProgram(quadProgram->id);
        bindTexture(units::kImage, GL_TEXTURE_2D, brightTexture);
        Quad::draw();
        for (int i = 0; i < 5; ++i) {
            blurComp->blur(halfResTarget->getTexture(), spareHalfTexture,
                           i == 0 ? 1 : kWideBloomTapSpacing);
        }
    }
}

// The picture keeps the targets' size and aspect; a window of another shape shows it letter-boxed.
void Renderer::composite(GLuint scene) {
    glBindFramebuffer(GL_FRAMEBUFFER, outputFramebuffer);
    const PixelRect picture =
        letterboxRect(viewportWidth, viewportHeight, targetWidth, targetHeight);
    if (picture.width != viewportWidth || picture.height != viewportHeight) {
        glViewport(0, 0, viewportWidth, viewportHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    }
    glViewport(picture.x, picture.y, picture.width, picture.height);
    if (view != TargetView::Final) {
        targetViews->draw(view, *this);
    } else {
        glUseProgram(finalProgram->id);
        bindTexture(units::kImage, GL_TEXTURE_2D, scene);
        if (bloomMode != 0) {
            bindTexture(units::kBloom, GL_TEXTURE_2D,
                        bloomMode == 1 ? blurFrag->result : blurComp->result);
        }
        Quad::draw();
    }
    glUseProgram(0);
    glBindVertexArray(0);
}
