#pragma once

#include <string>
#include <vector>

#include "textures/Surface.h"

// Material names, which are also the base names of their texture files.
namespace mat {
constexpr const char* kStoneWall = "stoneWall";
constexpr const char* kBrick = "brick";
constexpr const char* kRoofSlate = "roofSlate";
constexpr const char* kTombstone = "tombstone";
constexpr const char* kFloorboards = "floorboards";
constexpr const char* kTimber = "timber";
constexpr const char* kDarkWood = "darkWood";
constexpr const char* kBark = "bark";
constexpr const char* kCharredWood = "charredWood";
constexpr const char* kPlaster = "plaster";
constexpr const char* kWallpaper = "wallpaper";
constexpr const char* kGround = "ground";
constexpr const char* kGravel = "gravel";
constexpr const char* kMud = "mud";
constexpr const char* kWroughtIron = "wroughtIron";
constexpr const char* kCastIron = "castIron";
constexpr const char* kBone = "bone";
constexpr const char* kSacking = "sacking";
constexpr const char* kStraw = "straw";
constexpr const char* kPumpkin = "pumpkin";
constexpr const char* kWax = "wax";
constexpr const char* kBrew = "brew";
constexpr const char* kFlame = "flame";
constexpr const char* kRug = "rug";
constexpr const char* kPortrait = "portrait";
constexpr const char* kBooks = "books";
constexpr const char* kWindows = "windows";
// The hall's aged surfaces and its windows seen from inside.
constexpr const char* kAgedWallpaper = "agedWallpaper";
constexpr const char* kSootedPlaster = "sootedPlaster";
constexpr const char* kWornFloorboards = "wornFloorboards";
constexpr const char* kEmbers = "embers";
constexpr const char* kBlackenedWood = "blackenedWood";
constexpr const char* kWindowsInside = "windowsInside";
constexpr const char* kStatueStone = "statueStone";
constexpr const char* kStatueHollow = "statueHollow";
constexpr const char* kLitWindow = "litWindow";
constexpr const char* kWisp = "wisp";
constexpr const char* kLanternGlass = "lanternGlass";
}  // namespace mat

struct MaterialInfo {
    const char* name;
    float metresPerRepeat;  // for tiling surfaces; pictures are mapped once by the geometry
    int size;               // texture width and height
    bool specular;          // writes name_SPEC.jpg
    bool normal;            // writes name_NRM.jpg
    float bumpStrength;
    float shininess;
    SurfaceRecipe recipe;
};

const std::vector<MaterialInfo>& materialLibrary();
const MaterialInfo& materialInfo(const std::string& name);

// Writes one material's maps into root/res/myhouse/Textures (the lit window also gets its black
// and figure variants).
void writeMaterialTextures(const std::string& root, const MaterialInfo& material);
