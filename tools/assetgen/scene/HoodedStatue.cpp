#include "scene/HoodedStatue.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Noise.h"
#include "geometry/Shapes.h"
#include "textures/MaterialLibrary.h"

namespace {
const float kPi = 3.14159265f;

// The plinth: a foot, a die and an overhanging cap (half widths and tops, metres above ground).
const float kFootHalf = 0.5f;
const float kFootTop = 0.14f;
const float kDieHalf = 0.4f;
const float kDieTop = 0.46f;
const float kCapHalf = 0.45f;
const float kCapTop = 0.56f;

// Heights on the figure, above the cap.
const float kWaist = 0.8f;  // the cord; the robe's folds fall from here
const float kNeck = 1.42f;  // the hood rises from the shoulders here
const float kPeak = 1.8f;   // the top of the hood
const float kBow = 0.2f;    // radians the head is bowed forward about the neck

// The hood's opening, in the surface's own terms (height, angle from the front), and how far
// back the face sits as a fraction of the hood's radius.
const float kFaceCentre = 1.585f;
const float kFaceHalfHeight = 0.14f;
const float kFaceHalfAngle = 0.7f;
const float kFaceDepth = 0.72f;
const float kHollowEdge = 0.08f;  // how far down the rim's slope the dark stone begins

// The robe surface's grid: columns around, rows up the body and up the hood.
const int kColumns = 64;
const int kBodyRows = 36;
const int kHoodRows = 40;

// A horizontal section of the figure: half width across (x), half depth front to back (z), centre
// moved forward, and squareness (2 is an ellipse, more squares the shoulders).
struct Section {
    float h, rx, rz, cz, square;
};
const Section kSections[] = {
    {0.00f, 0.34f, 0.30f, 0.00f, 2.0f},  {0.06f, 0.32f, 0.28f, 0.00f, 2.0f},
    {0.40f, 0.28f, 0.23f, 0.01f, 2.0f},  {0.80f, 0.235f, 0.185f, 0.02f, 2.0f},
    {1.08f, 0.27f, 0.19f, 0.01f, 2.3f},  {1.28f, 0.30f, 0.185f, 0.0f, 2.8f},
    {1.37f, 0.26f, 0.175f, 0.0f, 2.4f},  {1.43f, 0.18f, 0.17f, 0.02f, 2.0f},
    {1.52f, 0.165f, 0.19f, 0.04f, 2.0f}, {1.64f, 0.16f, 0.195f, 0.04f, 2.0f},
    {1.73f, 0.13f, 0.165f, 0.02f, 2.0f}, {1.78f, 0.075f, 0.1f, 0.0f, 2.0f},
    {kPeak, 0.0f, 0.0f, -0.01f, 2.0f},
};
const int kSectionCount = static_cast<int>(sizeof(kSections) / sizeof(kSections[0]));

float catmullRom(float p0, float p1, float p2, float p3, float t) {
    return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t +
                   (3.0f * p1 - p0 - 3.0f * p2 + p3) * t * t * t);
}

// The section at height h, smoothly through the listed ones.
Section sectionAt(float h) {
    h = glm::clamp(h, 0.0f, kPeak);
    int i = 0;
    while (i + 2 < kSectionCount && kSections[i + 1].h < h) ++i;
    const Section& a = kSections[std::max(i - 1, 0)];
    const Section& b = kSections[i];
    const Section& c = kSections[i + 1];
    const Section& d = kSections[std::min(i + 2, kSectionCount - 1)];
    const float t = (h - b.h) / (c.h - b.h);
    Section s;
    s.h = h;
    s.rx = std::max(0.0f, catmullRom(a.rx, b.rx, c.rx, d.rx, t));
    s.rz = std::max(0.0f, catmullRom(a.rz, b.rz, c.rz, d.rz, t));
    s.cz = catmullRom(a.cz, b.cz, c.cz, d.cz, t);
    s.square = catmullRom(a.square, b.square, c.square, d.square, t);
    return s;
}

// Folds as a fraction of the radius: deep at the hem, gathered to nothing under the cord, shallow
// over the chest; they wander a little as they fall.
float foldAmplitude(float h) {
    const float below = 1.0f - smoothstepf(0.0f, kWaist, h);
    const float chest =
        smoothstepf(kWaist, kWaist + 0.1f, h) * (1.0f - smoothstepf(1.15f, 1.3f, h));
    return 0.07f * std::pow(below, 1.2f) + 0.012f * chest;
}

float foldOffset(float phi, float h) {
    const float amplitude = foldAmplitude(h);
    const float wave = 0.6f * std::sin(7.0f * phi + 0.9f * std::sin(2.1f * h + 0.3f) + 0.5f) +
                       0.4f * std::sin(11.0f * phi - 1.3f * h + 2.0f);
    return amplitude * wave;
}

// Where the face opening is: below 1 inside it, in units of its half size; the opening narrows
// towards a point at the top like a cowl's.
float openingDistance(float phi, float h) {
    const float v = (h - kFaceCentre) / kFaceHalfHeight;
    const float u = phi / kFaceHalfAngle * (1.0f + 0.5f * std::max(v, 0.0f));
    return std::sqrt(u * u + v * v);
}

// How much of the hollow a surface point is in: 1 inside the opening, 0 on the hood.
float hollowWeight(float phi, float h) {
    return smoothstepf(1.0f, 0.55f, openingDistance(phi, h));
}

// How far back the hollow reaches, as a fraction of the radius: deepest under the brow, less at
// the chin and along a nose, so that a face is just there in the dark.
float hollowDepth(float phi, float h) {
    const float v = (h - kFaceCentre) / kFaceHalfHeight;
    const float u = phi / kFaceHalfAngle;
    const float chin = smoothstepf(-0.1f, -0.75f, v) * std::max(0.0f, 1.0f - u * u);
    const float nose =
        std::exp(-(u / 0.18f) * (u / 0.18f)) * std::exp(-(v + 0.1f) * (v + 0.1f) / 0.12f);
    return kFaceDepth * hollowWeight(phi, h) * (1.0f - 0.25f * chin - 0.12f * nose);
}

// The hood's rim stands out round the opening, fading where the cowl meets the chest.
float rimOffset(float phi, float h) {
    const float e = openingDistance(phi, h);
    const float v = (h - kFaceCentre) / kFaceHalfHeight;
    return 0.07f * std::exp(-((e - 1.08f) / 0.1f) * ((e - 1.08f) / 0.1f)) *
           smoothstepf(-1.3f, -0.6f, v);
}

float superellipse(float c, float square) {
    return std::copysign(std::pow(std::abs(c), 2.0f / square), c);
}

// A point of the robe and hood surface: phi is the angle from the front (-pi at the back), h the
// height above the cap before the head is bowed.
glm::vec3 robePoint(float phi, float h) {
    const Section s = sectionAt(h);
    const float scale = 1.0f + foldOffset(phi, h) + rimOffset(phi, h) - hollowDepth(phi, h);
    glm::vec3 p(s.rx * superellipse(std::sin(phi), s.square) * scale, h,
                s.cz + s.rz * superellipse(std::cos(phi), s.square) * scale);
    // The head bows forward about a point in the neck.
    const float bow = kBow * smoothstepf(kNeck - 0.1f, kNeck + 0.1f, h);
    const glm::vec2 pivot(kNeck - 0.05f, 0.0f);
    const glm::vec2 yz(p.y - pivot.x, p.z - pivot.y);
    p.y = pivot.x + yz.x * std::cos(bow) - yz.y * std::sin(bow);
    p.z = pivot.y + yz.y * std::cos(bow) + yz.x * std::sin(bow);
    return p + glm::vec3(0.0f, kCapTop, 0.0f);
}

glm::vec3 robeNormal(float phi, float h) {
    const float e = 1e-3f;
    const float h0 = std::max(0.0f, h - e);
    const float h1 = std::min(kPeak - 2e-3f, h + e);
    const float hm = std::min(h, kPeak - 3e-3f);
    const glm::vec3 alongPhi = robePoint(phi + e, hm) - robePoint(phi - e, hm);
    const glm::vec3 alongH = robePoint(phi, h1) - robePoint(phi, h0);
    const glm::vec3 n = glm::cross(alongPhi, alongH);
    return glm::length(n) > 1e-12f ? glm::normalize(n) : glm::vec3(0, 1, 0);
}

// Copies grid vertices into a mesh on first use, so that each mesh gets only what it needs.
struct VertexCopier {
    MeshBuilder& mesh;
    std::vector<int> index;
    uint32_t operator()(const MeshVertex& v, size_t i) {
        if (index[i] < 0) index[i] = static_cast<int>(mesh.addVertex(v.position, v.normal, v.uv));
        return static_cast<uint32_t>(index[i]);
    }
};

// The angle from the front of grid column j: columns crowd towards the front, where the face
// opening needs them, and spread out over the back.
float columnAngle(int j) {
    const float x = -kPi + 2.0f * kPi * j / kColumns;
    return x - 0.45f * std::sin(x);
}

// The robe and hood as one grid, cut along the hood's rim (where the hollow's weight passes
// kHollowEdge): what lies inside goes to the dark hollow, the rest stays stone. A triangle that
// the rim crosses is split where it crosses its edges, at points of the surface itself, so that
// the rim is a smooth curve and not the staircase of the grid's cells.
void addRobe(MeshBuilder& stone, MeshBuilder& hollow, float metresPerRepeat) {
    std::vector<float> heights;
    for (int i = 0; i < kBodyRows; ++i) heights.push_back(kNeck * i / kBodyRows);
    for (int i = 0; i <= kHoodRows; ++i) heights.push_back(kNeck + (kPeak - kNeck) * i / kHoodRows);
    const int columns = kColumns + 1;
    struct GridPoint {
        MeshVertex vertex;
        float phi, h, weight;
    };
    std::vector<GridPoint> grid;
    float rise = 0.0f;
    for (size_t i = 0; i < heights.size(); ++i) {
        const float h = heights[i];
        if (i > 0) rise += glm::distance(robePoint(0.0f, h), robePoint(0.0f, heights[i - 1]));
        const Section s = sectionAt(h);
        const float girth = kPi * (s.rx + s.rz);
        for (int j = 0; j < columns; ++j) {
            const float phi = columnAngle(j);
            const float u = girth * (phi + kPi) / (2.0f * kPi) / metresPerRepeat;
            grid.push_back({{robePoint(phi, h), robeNormal(phi, h), {u, rise / metresPerRepeat}},
                            phi,
                            h,
                            hollowWeight(phi, h)});
        }
    }
    std::vector<MeshVertex> gridVertices;
    for (const GridPoint& g : grid) gridVertices.push_back(g.vertex);
    VertexCopier toStone{stone, std::vector<int>(grid.size(), -1)};
    VertexCopier toHollow{hollow, std::vector<int>(grid.size(), -1)};
    auto sunk = [&](size_t k) { return grid[k].weight > kHollowEdge; };
    // The rim's point on the edge from grid point a to b (in index order, so that the two
    // triangles sharing the edge find the same point).
    auto rimPoint = [&](size_t a, size_t b) {
        if (a > b) std::swap(a, b);
        const GridPoint &ga = grid[a], &gb = grid[b];
        const float t = (kHollowEdge - ga.weight) / (gb.weight - ga.weight);
        const float phi = ga.phi + (gb.phi - ga.phi) * t;
        const float h = ga.h + (gb.h - ga.h) * t;
        return MeshVertex{robePoint(phi, h), robeNormal(phi, h),
                          ga.vertex.uv + (gb.vertex.uv - ga.vertex.uv) * t};
    };
    auto addFree = [](MeshBuilder& mesh, const MeshVertex& v) {
        return mesh.addVertex(v.position, v.normal, v.uv);
    };
    auto add = [&](size_t p, size_t q, size_t r) {
        const size_t corner[3] = {p, q, r};
        int sunkCount = 0;
        for (size_t k : corner) sunkCount += sunk(k);
        if (sunkCount == 0 || sunkCount == 3) {
            VertexCopier& to = sunkCount ? toHollow : toStone;
            (sunkCount ? hollow : stone)
                .addTriangle(to(gridVertices[p], p), to(gridVertices[q], q),
                             to(gridVertices[r], r));
            return;
        }
        // Turn the corners so that the odd one out (alone on its side of the rim) comes first.
        int lone = 0;
        for (int k = 0; k < 3; ++k)
            if (sunk(corner[k]) != sunk(corner[(k + 1) % 3]) &&
                sunk(corner[k]) != sunk(corner[(k + 2) % 3]))
                lone = k;
        const size_t a = corner[lone], b = corner[(lone + 1) % 3], c = corner[(lone + 2) % 3];
        const MeshVertex ab = rimPoint(a, b), ac = rimPoint(a, c);
        MeshBuilder& loneSide = sunk(a) ? hollow : stone;
        MeshBuilder& otherSide = sunk(a) ? stone : hollow;
        VertexCopier& loneCopy = sunk(a) ? toHollow : toStone;
        VertexCopier& otherCopy = sunk(a) ? toStone : toHollow;
        loneSide.addTriangle(loneCopy(gridVertices[a], a), addFree(loneSide, ab),
                             addFree(loneSide, ac));
        const uint32_t abOther = addFree(otherSide, ab), acOther = addFree(otherSide, ac);
        const uint32_t bOther = otherCopy(gridVertices[b], b);
        otherSide.addTriangle(abOther, bOther, otherCopy(gridVertices[c], c));
        otherSide.addTriangle(abOther, otherCopy(gridVertices[c], c), acOther);
    };
    for (size_t i = 0; i + 1 < heights.size(); ++i) {
        for (int j = 0; j < kColumns; ++j) {
            const size_t a = i * columns + j;
            const size_t b = a + 1;
            const size_t d = a + columns;
            const size_t c = d + 1;
            add(a, b, c);
            add(a, c, d);
        }
    }
}

// A tube swept along a path with a radius at each point, capped at both ends.
void addSweep(MeshBuilder& mesh, const std::vector<glm::vec3>& path,
              const std::vector<float>& radii, int sides, float metresPerRepeat, bool closedLoop) {
    const size_t n = path.size();
    auto tangent = [&](size_t i) {
        const glm::vec3 next = i + 1 < n ? path[i + 1] : (closedLoop ? path[0] : path[i]);
        const glm::vec3 prev = i > 0 ? path[i - 1] : (closedLoop ? path[n - 1] : path[i]);
        return glm::normalize(next - prev);
    };
    const glm::vec3 t0 = tangent(0);
    const glm::vec3 helper = std::abs(t0.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    glm::vec3 normal = glm::normalize(glm::cross(helper, t0));
    const size_t rings = closedLoop ? n + 1 : n;
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    float along = 0.0f;
    std::vector<std::vector<glm::vec3>> ends;
    for (size_t r = 0; r < rings; ++r) {
        const size_t i = r % n;
        const glm::vec3 t = tangent(i);
        normal = glm::normalize(normal - glm::dot(normal, t) * t);  // carried along the path
        const glm::vec3 binormal = glm::cross(t, normal);
        if (r > 0) along += glm::distance(path[i], path[(r - 1) % n]);
        std::vector<glm::vec3> ring;
        for (int k = 0; k <= sides; ++k) {
            const float a = 2.0f * kPi * k / sides;
            const glm::vec3 out = std::cos(a) * normal + std::sin(a) * binormal;
            const glm::vec3 p = path[i] + radii[i] * out;
            mesh.addVertex(
                p, out,
                {2.0f * kPi * radii[i] * k / sides / metresPerRepeat, along / metresPerRepeat});
            if (k < sides) ring.push_back(p);
        }
        if (r == 0 || r + 1 == rings) ends.push_back(ring);
    }
    const uint32_t columns = static_cast<uint32_t>(sides + 1);
    for (uint32_t r = 0; r + 1 < rings; ++r) {
        for (uint32_t k = 0; k < static_cast<uint32_t>(sides); ++k) {
            const uint32_t a = first + r * columns + k;
            mesh.addTriangle(a, a + 1, a + columns + 1);
            mesh.addTriangle(a, a + columns + 1, a + columns);
        }
    }
    if (closedLoop) return;
    mesh.addFlatPolygon(ends.front(), -tangent(0), metresPerRepeat);
    mesh.addFlatPolygon(ends.back(), tangent(n - 1), metresPerRepeat);
}

glm::vec3 onCap(glm::vec3 p) {
    return p + glm::vec3(0.0f, kCapTop, 0.0f);
}

// Sleeves hanging from the shoulders and meeting in front, the left cuff over the right, with the
// folded hands showing beneath.
void addArms(MeshBuilder& mesh, float metresPerRepeat) {
    const std::vector<glm::vec3> right = {{0.19f, 1.33f, -0.01f}, {0.27f, 1.24f, 0.0f},
                                          {0.3f, 1.08f, 0.03f},   {0.285f, 0.95f, 0.09f},
                                          {0.22f, 0.88f, 0.18f},  {0.12f, 0.85f, 0.245f},
                                          {0.03f, 0.84f, 0.27f},  {-0.03f, 0.84f, 0.272f}};
    const std::vector<float> rightRadii = {0.07f,  0.075f, 0.075f, 0.08f,
                                           0.085f, 0.09f,  0.092f, 0.092f};
    std::vector<glm::vec3> left;
    for (const glm::vec3& p : right) left.push_back(glm::vec3(-p.x, p.y, p.z));
    left.back() = {0.05f, 0.845f, 0.285f};
    std::vector<float> leftRadii = rightRadii;
    leftRadii.back() = leftRadii[leftRadii.size() - 2] = 0.1f;
    for (glm::vec3& p : left) p = onCap(p);
    std::vector<glm::vec3> rightOnCap;
    for (const glm::vec3& p : right) rightOnCap.push_back(onCap(p));
    addSweep(mesh, rightOnCap, rightRadii, 12, metresPerRepeat, false);
    addSweep(mesh, left, leftRadii, 12, metresPerRepeat, false);
    addEllipsoid(mesh, onCap({0.01f, 0.775f, 0.29f}), {0.065f, 0.04f, 0.05f}, 10, 6,
                 metresPerRepeat);
}

// A cord tied round the waist, its two ends hanging down the front of the robe.
void addCord(MeshBuilder& mesh, float metresPerRepeat) {
    const float radius = 0.016f;
    auto outside = [&](float phi, float h, float gap) {
        const glm::vec3 p = robePoint(phi, h);
        const Section s = sectionAt(h);
        const glm::vec3 out = glm::normalize(glm::vec3(p.x, 0.0f, p.z - s.cz));
        return p + (gap + foldAmplitude(h) * s.rx) * out;  // over the ridges of the folds
    };
    std::vector<glm::vec3> loop;
    for (int j = 0; j < kColumns; ++j)
        loop.push_back(outside(-kPi + 2.0f * kPi * j / kColumns, kWaist, 0.5f * radius));
    addSweep(mesh, loop, std::vector<float>(loop.size(), radius), 6, metresPerRepeat, true);
    const float knot = -0.45f;
    addEllipsoid(mesh, outside(knot, kWaist, 0.01f), {0.035f, 0.03f, 0.03f}, 8, 6, metresPerRepeat);
    for (const float end : {0.0f, 1.0f}) {
        std::vector<glm::vec3> hanging;
        const float length = 0.38f + 0.1f * end;
        for (int k = 0; k <= 8; ++k) {
            const float h = kWaist - length * k / 8.0f;
            hanging.push_back(
                outside(knot - 0.05f + 0.1f * end + 0.02f * k * (end - 0.5f), h, radius));
        }
        addSweep(mesh, hanging, std::vector<float>(hanging.size(), radius), 6, metresPerRepeat,
                 false);
    }
}

void addPlinth(MeshBuilder& mesh, float metresPerRepeat) {
    addBox(mesh, {-kFootHalf, 0.0f, -kFootHalf}, {kFootHalf, kFootTop, kFootHalf}, metresPerRepeat,
           kNoBottom);
    addBox(mesh, {-kDieHalf, kFootTop, -kDieHalf}, {kDieHalf, kDieTop, kDieHalf}, metresPerRepeat,
           kFaceNegX | kFacePosX | kFaceNegZ | kFacePosZ);
    addBox(mesh, {-kCapHalf, kDieTop, -kCapHalf}, {kCapHalf, kCapTop, kCapHalf}, metresPerRepeat);
}
}  // namespace

void addHoodedStatue(SceneModel& scene, glm::vec3 base, float yaw) {
    const float repeat = materialInfo(mat::kStatueStone).metresPerRepeat;
    MeshBuilder stone;
    MeshBuilder hollow;
    addPlinth(stone, repeat);
    addRobe(stone, hollow, repeat);
    addArms(stone, repeat);
    addCord(stone, repeat);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(std::cos(yaw), 0, -std::sin(yaw), 0);
    m[2] = glm::vec4(std::sin(yaw), 0, std::cos(yaw), 0);
    m[3] = glm::vec4(base, 1);
    scene.mesh("statue", mat::kStatueStone).append(stone, m);
    scene.mesh("statue_hood_hollow", mat::kStatueHollow).append(hollow, m);
}
