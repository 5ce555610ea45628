#include "HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "GlEntryPoints.h"

namespace {
// A device list longer than this belongs to no machine the tools run on.
constexpr EGLint kMaxDevices = 16;

bool hasExtension(const char* extensions, const char* name) {
    if (!extensions) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

struct DeviceApi {
    PFNEGLQUERYDEVICESEXTPROC queryDevices = nullptr;
    PFNEGLQUERYDEVICESTRINGEXTPROC queryDeviceString = nullptr;
    PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay = nullptr;
};

DeviceApi loadDeviceApi() {
    DeviceApi api;
    api.queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    api.queryDeviceString = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
    api.getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    return api;
}

std::string eglErrorText() {
    char text[32];
    std::snprintf(text, sizeof text, "EGL error 0x%04x", static_cast<unsigned>(eglGetError()));
    return text;
}

// Initialises the display and makes a 4.3 core context current on it. On failure the display
// is terminated again and the reason is returned.
std::string startContext(EGLDisplay display, bool debug, HeadlessContext& headless) {
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(display, &major, &minor)) return "eglInitialize: " + eglErrorText();
    auto fail = [&](const std::string& reason) {
        eglTerminate(display);
        return reason;
    };
    if (!eglBindAPI(EGL_OPENGL_API)) return fail("no desktop OpenGL through EGL");

    const bool surfaceless =
        hasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context");
    // A zero surface mask matches every config: with no surface to make, any will do.
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       surfaceless ? 0 : EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs == 0) {
        return fail("no OpenGL config");
    }
    // EGL 1.5 names the debug flag itself; 1.4 with EGL_KHR_create_context sets it as a bit.
    const bool eglFifteen = major > 1 || minor >= 5;
    const EGLint contextAttributes[] = {
        EGL_CONTEXT_MAJOR_VERSION,
        4,
        EGL_CONTEXT_MINOR_VERSION,
        3,
        EGL_CONTEXT_OPENGL_PROFILE_MASK,
        EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
        eglFifteen ? EGL_CONTEXT_OPENGL_DEBUG : EGL_CONTEXT_FLAGS_KHR,
        eglFifteen ? (debug ? EGL_TRUE : EGL_FALSE)
                   : (debug ? EGL_CONTEXT_OPENGL_DEBUG_BIT_KHR : 0),
        EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) return fail("no OpenGL 4.3 core context: " + eglErrorText());

    EGLSurface surface = EGL_NO_SURFACE;
    if (!surfaceless) {
        const EGLint pbufferAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, pbufferAttributes);
        if (surface == EGL_NO_SURFACE) {
            eglDestroyContext(display, context);
            return fail("no pbuffer to make the context current on: " + eglErrorText());
        }
    }
    if (!eglMakeCurrent(display, surface, surface, context)) {
        const std::string reason = "eglMakeCurrent: " + eglErrorText();
        if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
        eglDestroyContext(display, context);
        return fail(reason);
    }
    headless.display = display;
    headless.context = context;
    headless.surface = surface;

    std::string error;
    if (!loadGlEntryPoints(true, error)) {
        closeHeadlessContext(headless);
        return error;
    }
    return {};
}

// The devices EGL enumerates, with Mesa's software device apart from the rest.
void listDevices(const DeviceApi& api, std::vector<EGLDeviceEXT>& gpus,
                 std::vector<EGLDeviceEXT>& software) {
    EGLDeviceEXT devices[kMaxDevices];
    EGLint count = 0;
    if (!api.queryDevices(kMaxDevices, devices, &count)) return;
    for (EGLint i = 0; i < count; ++i) {
        const char* extensions = api.queryDeviceString(devices[i], EGL_EXTENSIONS);
        const bool isSoftware = hasExtension(extensions, "EGL_MESA_device_software");
        (isSoftware ? software : gpus).push_back(devices[i]);
    }
}

std::string deviceName(const DeviceApi& api, EGLDeviceEXT device) {
    const char* extensions = api.queryDeviceString(device, EGL_EXTENSIONS);
    if (!hasExtension(extensions, "EGL_EXT_device_drm")) return "EGL device";
    const char* file = api.queryDeviceString(device, EGL_DRM_DEVICE_FILE_EXT);
    return std::string("EGL device ") + (file ? file : "");
}
}  // namespace

bool openHeadlessContext(HeadlessContext& headless, bool debug, std::string& error) {
    headless = HeadlessContext{};
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!clientExtensions) {
        error = "EGL offers no platforms (is an EGL driver installed?)";
        return false;
    }
    const DeviceApi api = loadDeviceApi();
    if (!api.getPlatformDisplay) {
        error = "EGL lacks eglGetPlatformDisplayEXT";
        return false;
    }
    std::vector<std::string> reasons;
    auto tryDisplay = [&](EGLenum platform, void* native, const std::string& name) {
        EGLDisplay display = api.getPlatformDisplay(platform, native, nullptr);
        const std::string reason = display == EGL_NO_DISPLAY
                                       ? "no display: " + eglErrorText()
                                       : startContext(display, debug, headless);
        if (reason.empty()) {
            headless.platform = name;
            return true;
        }
        reasons.push_back(name + ": " + reason);
        return false;
    };

    std::vector<EGLDeviceEXT> gpus;
    std::vector<EGLDeviceEXT> software;
    const bool devicePlatform = hasExtension(clientExtensions, "EGL_EXT_platform_device") &&
                                api.queryDevices && api.queryDeviceString;
    if (devicePlatform) listDevices(api, gpus, software);
    for (EGLDeviceEXT device : gpus) {
        if (tryDisplay(EGL_PLATFORM_DEVICE_EXT, device, deviceName(api, device))) return true;
    }
    if (hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless") &&
        tryDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, "EGL surfaceless")) {
        return true;
    }
    for (EGLDeviceEXT device : software) {
        if (tryDisplay(EGL_PLATFORM_DEVICE_EXT, device, "EGL software device")) return true;
    }
    error = "no headless OpenGL 4.3 core context";
    if (reasons.empty())
        reasons.push_back("EGL offers neither GPU devices nor Mesa's surfaceless platform");
    for (const std::string& reason : reasons) error += "\n  " + reason;
    return false;
}

void closeHeadlessContext(HeadlessContext& headless) {
    if (!headless.display) return;
    eglMakeCurrent(headless.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (headless.surface) eglDestroySurface(headless.display, headless.surface);
    if (headless.context) eglDestroyContext(headless.display, headless.context);
    eglTerminate(headless.display);
    eglReleaseThread();
    headless = HeadlessContext{};
}
