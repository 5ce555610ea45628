#pragma once

#include <string>

// Loads the GL entry points of the current context through GLEW and checks that it is 4.3.
// GLEW as Debian builds it also loads GLX, and reports GLEW_ERROR_NO_GLX_DISPLAY when the
// context is EGL's: that alone is no failure for a context that EGL made, as long as the
// core entry points loaded. False with the reason in error otherwise.
bool loadGlEntryPoints(bool eglContext, std::string& error);
