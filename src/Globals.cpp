#include "Globals.h"

#include <glm/gtc/matrix_transform.hpp>

#include "Effects/ShadowMapping.h"
#include "Effects/Ssao.h"
#include "RecordingFile.h"

// Construction order matters and is the order of definition in this one file: the key-point file
// first, then the renderer's state, the shadow lens, the random engine and the lists that the
// shadows and the ambient occlusion fill, the geometry pass's identity, the house, the sound
// engine, the view frustum, the overlay and last the program's jumps through the flight.
std::ofstream keyPointFile =
    keyPointFileName ? openRecordingFile(keyPointFileName) : std::ofstream();
Renderer renderer;
glm::mat4 ShadowMapping::shadowProjection = glm::perspective(1.5707964f, 1.0f, 0.01f, 25.0f);
std::mt19937 Ssao::randomEngine;
std::uniform_real_distribution<float> Ssao::randomFloats(0.0f, 1.0f);
std::vector<Light*> ShadowMapping::lights;
std::vector<glm::vec3> Ssao::ssaoKernel;
std::vector<glm::vec3> Ssao::ssaoNoise;
const glm::mat4 identityModelMatrix(1.0f);
Model house;
SoundEngine* soundEngine =
    createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.6.0");
Frustum viewFrustum;
Overlay overlay;
FlightJumps flightJumps(renderer);

// Class-wide GL names and programs, made by the first instance that needs them.
ShaderProgram* ShadowMapping::shadowProgram = nullptr;
GLuint Ssao::noiseTexture = 0;

bool running = true;
bool keyHeld = false;
int lastKey = 0;
bool slowMovement = false;
bool showFps = false;
bool screenshotAsked = false;
double lastCursorX = 0.0;
double lastCursorY = 0.0;
