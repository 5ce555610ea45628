#pragma once

#include <GL/glew.h>

#include "ShaderProgram.h"
#include "TargetView.h"

class Renderer;

// Draws one of the frame's render targets in place of the final composite, made readable:
// normals and positions as colours, depths as greys, HDR images tone mapped, the shadow cube map
// unfolded, the smoke's density as a slice (shaders/views/). Two targets are overwritten before
// the frame ends, so the renderer hands in copies of them while their view is shown: the lit
// scene (tone mapping maps it in place) and the blurred occlusion (bloom's blur reuses its target).
class TargetViews {
public:
    // The full and the half size of the renderer's targets.
    TargetViews(int width, int height, int halfWidth, int halfHeight);

    void keepLitScene(GLuint scene);
    void keepOcclusion(GLuint blurred);
    // Draws the view into the bound framebuffer's viewport; leaves its program current.
    void draw(TargetView view, const Renderer& renderer);

private:
    int width_;
    int height_;
    int halfWidth_;
    int halfHeight_;
    GLuint litCopy_ = 0;
    GLuint occlusionCopy_ = 0;
    ShaderProgram albedo_;
    ShaderProgram specular_;
    ShaderProgram normal_;
    ShaderProgram position_;
    ShaderProgram depth_;
    ShaderProgram occlusion_;
    ShaderProgram shadowCube_;
    ShaderProgram hdrImage_;
    ShaderProgram smokeFaces_;
    ShaderProgram smokeSlice_;
};
