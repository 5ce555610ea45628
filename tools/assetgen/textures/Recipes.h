#pragma once

#include "textures/Surface.h"

// Tiling surfaces: one texture repeat covers the stated number of metres (see the material list).
Texel stoneWallTexel(glm::vec2 uv);
Texel brickTexel(glm::vec2 uv);
Texel roofSlateTexel(glm::vec2 uv);
Texel tombstoneTexel(glm::vec2 uv);
Texel floorboardTexel(glm::vec2 uv);
Texel timberTexel(glm::vec2 uv);
Texel darkWoodTexel(glm::vec2 uv);
Texel barkTexel(glm::vec2 uv);
Texel charredWoodTexel(glm::vec2 uv);
Texel plasterTexel(glm::vec2 uv);
Texel wallpaperTexel(glm::vec2 uv);
Texel groundTexel(glm::vec2 uv);
Texel gravelTexel(glm::vec2 uv);
Texel mudTexel(glm::vec2 uv);
Texel wroughtIronTexel(glm::vec2 uv);
Texel castIronTexel(glm::vec2 uv);
Texel boneTexel(glm::vec2 uv);
Texel sackingTexel(glm::vec2 uv);
Texel strawTexel(glm::vec2 uv);
Texel pumpkinTexel(glm::vec2 uv);
Texel waxTexel(glm::vec2 uv);
Texel flameTexel(glm::vec2 uv);
Texel wispTexel(glm::vec2 uv);
Texel lanternGlassTexel(glm::vec2 uv);

// The hall's own, aged surfaces.
Texel agedWallpaperTexel(glm::vec2 uv);
Texel sootedPlasterTexel(glm::vec2 uv);
Texel wornFloorboardTexel(glm::vec2 uv);
Texel emberBedTexel(glm::vec2 uv);
Texel blackenedWoodTexel(glm::vec2 uv);
Texel statueStoneTexel(glm::vec2 uv);
Texel statueHollowTexel(glm::vec2 uv);

// Pictures mapped once across an object.
Texel brewTexel(glm::vec2 uv);
Texel rugTexel(glm::vec2 uv);
Texel portraitTexel(glm::vec2 uv);
Texel booksTexel(glm::vec2 uv);

// The window: panes in a wooden frame. The three variants share one layout so that swapping
// them reads as the same window changing.
enum class WindowPanes { Night, Lit, Black, Figure };
Texel windowTexel(glm::vec2 uv, WindowPanes panes);
// A window lit from within, which shines by its own light: every texel carries the emissive mark,
// the frame is painted near black so that it shows dark against the glow. Its variants (the
// light out, a figure standing against it) keep the same frame.
Texel litWindowTexel(glm::vec2 uv, WindowPanes panes);
// The same window seen from a dark room: the night beyond its dull, grimy glass.
Texel insideWindowTexel(glm::vec2 uv);
