// The overlay's edit mode: Tab shows the parameter panel while the overlay shows, the keys keep
// their meaning meanwhile, and Tab again gives the very frame back.
#include <GLFW/glfw3.h>
#include <gmock/gmock.h>

#include "Controls.h"
#include "FramedScene.h"
#include "Globals.h"
#include "ParameterPanel.h"
#include "StdoutCapture.h"

namespace {
class ParameterPanelTest : public FramedSceneTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        start(kWidth, kHeight);
        for (const char* name : {"doSmoke", "doFire", "doRain"}) set(name, 0);
    }
    std::vector<uint8_t> frame() {
        renderer.update(0.0f);
        renderer.render();
        return picture();
    }
    static void press(int key) {
        StdoutCapture quiet;
        onKey(nullptr, key, 0, GLFW_PRESS, 0);
        onKey(nullptr, key, 0, GLFW_RELEASE, 0);
    }
    // Pixels outside the overlay's own panel, whose figures change, that differ by more than a
    // step.
    static size_t changesBesideOverlay(const std::vector<uint8_t>& a,
                                       const std::vector<uint8_t>& b) {
        const Overlay::Rect panel = overlay.drawnRect();
        size_t count = 0;
        for (size_t i = 0; i < a.size(); i += 3) {
            const int x = static_cast<int>(i / 3) % kWidth;
            const int y = static_cast<int>(i / 3) / kWidth;
            const bool beside = x >= panel.x + panel.width || y >= panel.y + panel.height;
            bool differs = false;
            for (size_t c = i; c < i + 3; ++c) differs |= std::abs(a[c] - b[c]) > 1;
            count += beside && differs;
        }
        return count;
    }
};
}  // namespace

TEST_F(ParameterPanelTest, TabShowsThePanelOverTheOverlayWhileTheKeysKeepTheirMeaning) {
    press(GLFW_KEY_TAB);
    EXPECT_FALSE(parameterPanel.editing) << "no edit mode without the overlay";

    press(GLFW_KEY_H);
    const std::vector<uint8_t> overlaid = frame();
    press(GLFW_KEY_TAB);
    ASSERT_TRUE(parameterPanel.editing);
    frame();  // the panel's window is laid out on its first frame
    const std::vector<uint8_t> editing = frame();
    EXPECT_GT(changesBesideOverlay(overlaid, editing), static_cast<size_t>(kWidth * kHeight / 8));

    const int fog = renderer.doFog;
    press(GLFW_KEY_F6);
    EXPECT_NE(renderer.doFog, fog) << "F6 still switches the fog";
    press(GLFW_KEY_F6);

    press(GLFW_KEY_TAB);
    EXPECT_FALSE(parameterPanel.editing);
    EXPECT_EQ(changesBesideOverlay(frame(), overlaid), 0u) << "the panel is gone";
}
