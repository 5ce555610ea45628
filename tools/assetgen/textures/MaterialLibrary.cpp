#include "textures/MaterialLibrary.h"

#include <cstdio>
#include <cstdlib>

#include "core/Image.h"
#include "textures/Recipes.h"

const std::vector<MaterialInfo>& materialLibrary() {
    static const std::vector<MaterialInfo> library = {
        {mat::kStoneWall, 2.4f, 1024, true, true, 6.0f, 8.0f, stoneWallTexel},
        {mat::kBrick, 1.2f, 512, true, true, 5.0f, 8.0f, brickTexel},
        {mat::kRoofSlate, 1.5f, 1024, true, true, 6.0f, 24.0f, roofSlateTexel},
        {mat::kTombstone, 1.0f, 512, true, true, 4.0f, 8.0f, tombstoneTexel},
        {mat::kFloorboards, 2.0f, 1024, true, true, 4.0f, 16.0f, floorboardTexel},
        {mat::kTimber, 1.0f, 512, true, true, 4.0f, 8.0f, timberTexel},
        {mat::kDarkWood, 1.0f, 512, true, true, 2.0f, 48.0f, darkWoodTexel},
        {mat::kBark, 1.0f, 512, false, true, 6.0f, 4.0f, barkTexel},
        {mat::kCharredWood, 0.5f, 512, false, true, 4.0f, 4.0f, charredWoodTexel},
        {mat::kPlaster, 2.0f, 512, false, true, 3.0f, 4.0f, plasterTexel},
        {mat::kWallpaper, 1.0f, 512, true, true, 2.0f, 8.0f, wallpaperTexel},
        {mat::kGround, 5.0f, 1024, false, true, 4.0f, 4.0f, groundTexel},
        {mat::kGravel, 1.5f, 1024, true, true, 5.0f, 16.0f, gravelTexel},
        {mat::kMud, 4.0f, 512, true, true, 3.0f, 32.0f, mudTexel},
        {mat::kWroughtIron, 0.5f, 512, true, true, 3.0f, 32.0f, wroughtIronTexel},
        {mat::kCastIron, 1.0f, 512, true, true, 3.0f, 32.0f, castIronTexel},
        {mat::kBone, 0.5f, 512, true, true, 2.0f, 16.0f, boneTexel},
        {mat::kSacking, 0.5f, 512, false, true, 3.0f, 4.0f, sackingTexel},
        {mat::kStraw, 0.5f, 512, false, true, 3.0f, 4.0f, strawTexel},
        {mat::kPumpkin, 1.0f, 512, true, true, 3.0f, 24.0f, pumpkinTexel},
        {mat::kWax, 0.25f, 512, false, false, 1.0f, 16.0f, waxTexel},
        {mat::kBrew, 1.0f, 512, true, false, 1.0f, 64.0f, brewTexel},
        {mat::kFlame, 0.1f, 512, true, false, 1.0f, 1.0f, flameTexel},
        {mat::kRug, 1.0f, 512, false, true, 2.0f, 2.0f, rugTexel},
        {mat::kPortrait, 1.0f, 512, true, false, 1.0f, 32.0f, portraitTexel},
        {mat::kBooks, 1.0f, 512, false, true, 4.0f, 8.0f, booksTexel},
        {mat::kWindows, 1.0f, 512, true, true, 3.0f, 64.0f,
         [](glm::vec2 uv) { return windowTexel(uv, WindowPanes::Night); }},
        {mat::kAgedWallpaper, 1.0f, 512, true, true, 2.5f, 8.0f, agedWallpaperTexel},
        {mat::kSootedPlaster, 2.0f, 512, false, true, 3.0f, 4.0f, sootedPlasterTexel},
        {mat::kWornFloorboards, 2.0f, 1024, true, true, 4.0f, 16.0f, wornFloorboardTexel},
        {mat::kBlackenedWood, 1.0f, 512, true, true, 2.0f, 16.0f, blackenedWoodTexel},
        {mat::kEmbers, 0.5f, 512, true, true, 4.0f, 4.0f, emberBedTexel},
        {mat::kWindowsInside, 1.0f, 512, true, true, 3.0f, 64.0f, insideWindowTexel},
        {mat::kStatueStone, 1.0f, 512, true, true, 4.0f, 8.0f, statueStoneTexel},
        {mat::kStatueHollow, 1.0f, 512, true, true, 2.0f, 4.0f, statueHollowTexel},
        {mat::kWisp, 0.2f, 512, true, false, 1.0f, 1.0f, wispTexel},
        {mat::kLanternGlass, 1.0f, 512, true, false, 1.0f, 1.0f, lanternGlassTexel},
        {mat::kLitWindow, 1.0f, 512, true, true, 3.0f, 64.0f,
         [](glm::vec2 uv) { return litWindowTexel(uv, WindowPanes::Lit); }},
    };
    return library;
}

const MaterialInfo& materialInfo(const std::string& name) {
    for (const MaterialInfo& m : materialLibrary()) {
        if (name == m.name) return m;
    }
    std::fprintf(stderr, "unknown material %s\n", name.c_str());
    std::abort();
}

void writeMaterialTextures(const std::string& root, const MaterialInfo& material) {
    const std::string dir = root + "/res/myhouse/Textures/";
    const SurfaceMaps maps = renderSurface(material.size, material.recipe);
    writeSurfaceMaps(dir + material.name, maps, material.specular, material.normal,
                     material.bumpStrength);
    // The pictures that the flight swaps into the lit window above the door.
    if (std::string(material.name) != mat::kLitWindow) return;
    const WindowPanes variants[2] = {WindowPanes::Black, WindowPanes::Figure};
    const char* names[2] = {"windowsBlack", "windowsFigure"};
    for (int i = 0; i < 2; ++i) {
        const WindowPanes panes = variants[i];
        const SurfaceMaps variant = renderSurface(
            material.size, [panes](glm::vec2 uv) { return litWindowTexel(uv, panes); });
        writeSurfaceMaps(dir + names[i], variant, false, false, 1.0f);
    }
}
