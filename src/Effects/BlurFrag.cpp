#include "Effects/BlurFrag.h"

#include "Effects/Quad.h"
#include "GlTargets.h"
#include "ShaderProgram.h"
#include "TextureUnits.h"

namespace {
ShaderProgram* buildBlurProgram(const char* fragmentFile, float oneDivWidth) {
    ShaderProgram* program = new ShaderProgram("quad.vert", fragmentFile);
    program->setInt("u_tex", units::kImage);
    program->setFloat("u_oneDivViewportWidth", oneDivWidth);
    program->setFloat("u_tapSpacing", 1.0f);
    return program;
}

void drawPass(const Quad& target, const ShaderProgram& program, GLuint input, float tapSpacing) {
    target.bind(true);
    glUseProgram(program.id);
    program.setFloat("u_tapSpacing", tapSpacing);
    bindTexture(units::kImage, GL_TEXTURE_2D, input);
    Quad::draw();
}
}  // namespace

BlurFrag::BlurFrag(int width, int height) {
    targetA = new Quad(true, width, height, GL_RGBA16F, GL_RGBA);
    targetB = new Quad(true, width, height, GL_RGBA16F, GL_RGBA);
    // Both passes get the width's texel size; the vertical shader turns it into the height's.
    const float oneDivWidth = 1.0f / static_cast<float>(width);
    programH = buildBlurProgram("bloom/blurh.frag", oneDivWidth);
    programV = buildBlurProgram("bloom/blurv.frag", oneDivWidth);
}

void BlurFrag::blur(GLuint input, float tapSpacing) {
    drawPass(*targetA, *programH, input, tapSpacing);
    drawPass(*targetB, *programV, targetA->getTexture(), tapSpacing);
    result = targetB->getTexture();
}
