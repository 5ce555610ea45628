#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

#include "Camera.h"
#include "CameraPath.h"
#include "Effects/Bloom.h"
#include "Light.h"
#include "Lightning.h"
#include "Mesh.h"
#include "PassProfiler.h"
#include "SceneAnchors.h"
#include "TargetView.h"

struct EffectSwitch;
class ShaderProgram;
class Quad;
class Bloom;
class BlurFrag;
class BlurComp;
class HdrToneMapping;
class ShadowMapping;
class Ssao;
class SmokeVolume;
class FireParticles;
class RainParticles;
class TargetViews;

// Geometry-pass targets: four colour attachments and a shared depth-stencil texture.
struct GBuffer {
    GLuint framebuffer = 0;
    GLuint colorSpec = 0;     // GL_COLOR_ATTACHMENT0: sRGB-encoded albedo, specular in alpha
    GLuint fragPos = 0;       // GL_COLOR_ATTACHMENT1: world position, alpha 1 where geometry is
    GLuint normal = 0;        // GL_COLOR_ATTACHMENT2: world normal
    GLuint viewSpace = 0;     // GL_COLOR_ATTACHMENT3: view-space position
    GLuint depthStencil = 0;  // GL_DEPTH_STENCIL_ATTACHMENT, also attached to fullResTarget
};

struct Skybox {
    GLuint cubeMap = 0;
    GLuint vertexArray = 0;
    GLuint textureUnit = 0;
    ShaderProgram* program = nullptr;
};

// Owns every pass of the deferred pipeline and every effect. One instance exists for the whole run;
// its constructor makes no GL call, init builds the GPU resources once the context exists.
class Renderer {
public:
    const float halfResScale = 0.5f;
    // The window's drawable area: only the final composite follows it when the window is resized.
    int viewportWidth = 0;
    int viewportHeight = 0;
    // The size of the G-buffer and of every off-screen target, fixed at start-up.
    int targetWidth = 0;
    int targetHeight = 0;
    int halfWidth = 0;
    int halfHeight = 0;
    const float clearColor[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    Camera camera;
    LightList lights;
    Skybox skybox;
    CameraPath cameraPath;

    ShaderProgram* geometryProgram = nullptr;
    ShaderProgram* lightingProgram = nullptr;
    ShaderProgram* skyboxProgram = nullptr;
    ShaderProgram* quadProgram = nullptr;
    ShaderProgram* finalProgram = nullptr;

    GBuffer gBuffer;
    const GLenum attachments[4] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2,
                                   GL_COLOR_ATTACHMENT3};
    // The framebuffer that the final composite writes: the window's (0) in the program; a tool that
    // reads its frames back hands in one of its own, of the target size.
    GLuint outputFramebuffer = 0;
    // 1 x 1 stand-ins (plain albedo, plain specular, flat normal) bound on the material units 0 to
    // 2 before the geometry pass: a mesh without a map, or a map switched off, leaves its unit
    // holding one of these, never a texture that an earlier pass left there (a G-buffer
    // attachment would be sampled while it is written).
    GLuint plainMaterialTextures[3] = {0, 0, 0};
    GLuint brightTexture = 0;
    GLuint spareHalfTexture = 0;
    Quad* fullResTarget = nullptr;
    Quad* halfResTarget = nullptr;

    Bloom* bloom = nullptr;
    BlurFrag* blurFrag = nullptr;
    BlurComp* blurComp = nullptr;
    HdrToneMapping* hdr = nullptr;
    ShadowMapping* shadowMapping = nullptr;
    Ssao* ssao = nullptr;
    SmokeVolume* smoke = nullptr;
    FireParticles* fire = nullptr;
    RainParticles* rain = nullptr;
    Light* shadowLight = nullptr;  // the one light that casts shadows
    Light* fireLight = nullptr;
    MappingSwitches* mappingSwitches = nullptr;  // made by the constructor
    // Told of every pass when set: the benchmark's profiler, the overlay's timer.
    PassObserver* profiler = nullptr;
    // What the frame ends in: the final composite, or one of the targets made readable (V).
    TargetView view = TargetView::Final;
    // Made when a view other than the final frame is first shown.
    TargetViews* targetViews = nullptr;

    // Indices of the animated and retextured meshes in the house; -1 where the house has none.
    int chairIndex = -1;
    int rightDoorIndex = -1;
    int leftDoorIndex = -1;
    int boneIndex = -1;
    int windowIndex = -1;
    // The storm that comes with the rain: 0 before it, rising to 1 as it sets in; and the
    // lightning of its thunders.
    float storm = 0.0f;
    Lightning lightning;
    float chairSwing = 0.0f;
    float chairSign = 1.0f;
    float doorAngle = 0.0f;

    // Effect switches, changed by the keys and read every frame; each described (starting value
    // and all) by its row of kEffectSwitches.
    int doShadows = 0;
    int hdrMode = 0;
    int bloomMode = 0;
    int doFog = 0;
    int doAmbientOcclusion = 0;
    int doSmoke = 0;
    int doFire = 0;
    int doRain = 0;
    // Lightning softened to a faint swell, for viewers sensitive to flashes.
    int softFlash = 0;
    // The fog's colour and density, as the parameters set them.
    glm::vec3 fogColour = anchors::kFogColour;
    float fogDensity = anchors::kFogDensity;
    // How strongly the composite adds the bloom, as the parameters set it.
    float bloomStrength = kBloomStrength;
    // Set by the tools' flight plans in the steps where no drawn frame needs the smoke: its
    // simulation stands still there, while its switch stays as the user set it.
    bool smokeHeld = false;

    // Sets every switch to its starting value; makes no GL call.
    Renderer();
    // Builds everything once the context exists: programs, lights, camera, fixed uniforms,
    // targets, effects, then shows the loading screen.
    void init(float width, float height);
    // The uniforms of the renderer's own programs that only init sets (texture units, lights,
    // fog, the material maps' footprint, the house's placement) and the camera's, as each frame
    // sets them. After a program is rebuilt: this, then applySwitches().
    void applyFixedUniforms();
    // Sets the fog's colour and density on the lighting program.
    void applyFog();
    // Brings the uniforms and effects that follow the switches in line with their values.
    void applySwitches();
    void loadScene();
    // Puts back everything that flying changes as it was right after loadScene: the camera path
    // (its speed and pause as the user set them) and the camera, the events fired (rain, storm,
    // lightning, the window's picture), the animated meshes, the fire, rain and smoke simulations
    // and the tone mapping's adaptation. Switches and views stay as they are.
    void restartFlight();
    void update(float dt);
    void render();

    // Sets a switch by its name (an effect switch, or "specular" / "normal" for the material
    // maps) together with the uniforms that follow it. False for an unknown name.
    bool setSwitch(const std::string& name, int value);
    // Switches or cycles effect 1 to 10 (the F1 to F10 keys) and prints its new state.
    void toggleEffect(int index);
    // The same for any row of the switch table, whatever its key.
    void cycleSwitch(const EffectSwitch& entry);
    // The name that toggleEffect prints for effect 1 to 10's present state ("ON", "COMP"...).
    const char* effectState(int index) const;
    // Finds the animated and retextured meshes by their exact names; of two namesakes the later
    // one wins.
    void findNamedMeshes();

    // Draws a texture through the final program into the window, as the loading screen does.
    void drawTextureToScreen(GLuint quadVertexArray, GLuint texture);

private:
    // Runs one stage of the frame inside a debug group of its name, told to the profiler if any.
    template <typename Stage>
    void runPass(Pass pass, Stage&& stage) {
        beginPass(pass);
        stage();
        endPass(pass);
    }
    void beginPass(Pass pass);
    void endPass(Pass pass);
    void labelGlObjects();
    void setSizes(float width, float height);
    void createPrograms();
    void createLights();
    // A light without shadows whose reach the fall-off (linear, quadratic) keeps short.
    void addShortLight(glm::vec3 position, glm::vec3 colour, float specular, glm::vec2 falloff);
    void placeCamera();
    void createTargets();
    void createEffects();
    void setPipelineState();
    void showLoadingScreen();
    void createGBuffer();
    void createBloomTextures();
    void createPlainMaterialTextures();
    void bindPlainMaterialTextures();
    void animateMeshes(float dt);
    // Notes what restartFlight puts back, once the scene has loaded.
    void rememberFlightStart();
    void setFrameUniforms();
    void fillGBuffer();
    void lightScene();
    void drawSky();
    void blurBloom();
    void composite(GLuint scene);
    Mesh* meshAt(int index);

    std::vector<glm::mat4> meshMatricesAtStart;
    std::vector<MeshTexture> windowTexturesAtStart;
};
