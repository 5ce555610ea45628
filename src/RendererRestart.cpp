#include "Effects/FireParticles.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/RainParticles.h"
#include "Effects/SmokeVolume.h"
#include "Globals.h"
#include "Renderer.h"

void Renderer::rememberFlightStart() {
    meshMatricesAtStart.clear();
    for (const Mesh& mesh : house.meshes) meshMatricesAtStart.push_back(mesh.modelMatrix);
    const Mesh* window = meshAt(windowIndex);
    windowTexturesAtStart = window ? window->textures : std::vector<MeshTexture>{};
}

void Renderer::restartFlight() {
    const bool flying = cameraPath.active;
    cameraPath.follow(cameraPath.m_keyPoints);
    cameraPath.active = flying;

    storm = 0.0f;
    lightning = Lightning();
    chairSwing = 0.0f;
    chairSign = 1.0f;
    doorAngle = 0.0f;
    for (size_t i = 0; i < meshMatricesAtStart.size() && i < house.meshes.size(); ++i) {
        house.meshes[i].setModelMatrix(meshMatricesAtStart[i]);
    }
    if (Mesh* window = meshAt(windowIndex)) window->textures = windowTexturesAtStart;

    fire->restart();
    rain->restart();
    // Seed 1 gives the sources of a program that never seeds, as the first flight's.
    smoke->restart(1);
    // Before the first frame nothing has been measured: the first frame drawn maps by its own.
    hdr->adaptedMaxLum = 0.0f;
    hdr->targetMaxLum = 0.0f;
}
