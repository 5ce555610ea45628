#pragma once

// True for a renderer string of Mesa's software rasterisers (llvmpipe, softpipe) or any other that
// calls itself software: the CPU does all of the GPU's work there.
bool isSoftwareRenderer(const char* renderer);
// The same for the current context's GL_RENDERER.
bool contextIsSoftware();
