#pragma once

#include <GL/glew.h>

#include <string>

class ShaderProgram;

// Decodes directory + "/" + fileName into a mip-mapped, repeating, anisotropic 2D texture. The image
// is flipped so that its first row is the bottom row in GL. On failure the returned name has no image.
GLuint loadTexture(const std::string& fileName, const std::string& directory, int& width,
                   int& height);

// Gives the bound 2D texture's image its mip levels and the sampling of a material texture:
// repeating, trilinear, with the highest anisotropy the driver allows (asked again at each call).
void setMaterialSampling();
// The highest anisotropy the driver allows: what the material textures are filtered with.
float materialAnisotropy();
// Tells the geometry pass's program how the material textures are filtered: u_maxAnisotropy, and
// u_averageBeyond, the repeats a pixel may span before it is given the texture's average (one on a
// software renderer, whose filter visits every texel; as many as the anisotropy on a GPU).
void setMaterialFootprint(const ShaderProgram& geometry);

// Faces in the order of the GL cube-map targets: +X, -X, +Y, -Y, +Z, -Z. Faces are not flipped.
GLuint loadCubeMap(const std::string& directory, const std::string& positiveX,
                   const std::string& negativeX, const std::string& positiveY,
                   const std::string& negativeY, const std::string& positiveZ,
                   const std::string& negativeZ);

// GL format for a decoded channel count; two channels (grey and alpha) load as GL_RG.
GLenum textureFormatForChannels(int channels);
