#include "demo/demo_scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "project/area_mask.h"

namespace lvdemo {
namespace {

struct Colour {
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, double f) { return {c.r * f, c.g * f, c.b * f}; }

uint32_t Pack(Colour c) {
    auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
    return byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

// Smooth value noise in [0, 1): hashed lattice values, bilinearly blended.
double Hash(int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65536.0;
}

double Noise(double x, double y) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = Hash(ix, iy) + (Hash(ix + 1, iy) - Hash(ix, iy)) * sx;
    const double bottom = Hash(ix, iy + 1) + (Hash(ix + 1, iy + 1) - Hash(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

double Ridge(double x, double scale, double seed) {
    return 0.5 * Noise(x * scale, seed) + 0.3 * Noise(x * scale * 2.7, seed + 9) +
           0.2 * Noise(x * scale * 7.1, seed + 17);
}

void PaintWater(lv::Bitmap32& picture, lv::Bitmap32& mask, int top, int bottom, int area,
                Colour deep, Colour light, int x0, int x1) {
    const int width = picture.Width();
    for (int y = top; y < bottom; ++y) {
        const double depth = static_cast<double>(y - top) / std::max(1, bottom - top);
        uint32_t* row = picture.Row(y);
        uint32_t* maskRow = mask.Row(y);
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x) {
            // Horizontal streaks of light make the ripples visible.
            const double streak = Noise(x * 0.02, y * 0.35) * 0.6 + Noise(x * 0.11, y * 0.9) * 0.4;
            const Colour c = Mix(Mix(light, deep, depth), {255, 240, 210}, (streak - 0.55) * 1.2);
            row[x] = Pack(c);
            maskRow[x] = lv::ColourOfArea(area);
        }
    }
}

}  // namespace

Scene PaintHarbourAtDusk(int width, int height) {
    Scene scene{lv::Bitmap32(width, height), lv::Bitmap32(width, height)};
    const int horizon = height * 55 / 100;
    const double sunX = width * 0.68, sunY = horizon - height * 0.12, sunR = height * 0.07;
    for (int y = 0; y < horizon; ++y) {
        const double t = static_cast<double>(y) / horizon;
        const Colour sky = Mix({70, 40, 110}, {250, 150, 80}, t * t);
        uint32_t* row = scene.picture.Row(y);
        for (int x = 0; x < width; ++x) {
            Colour c = sky;
            const double d = std::hypot(x - sunX, y - sunY);
            if (d < sunR) c = Mix({255, 230, 160}, sky, std::pow(d / sunR, 6));
            const double far = horizon - height * 0.18 * Ridge(x / double(width), 6, 3);
            const double near = horizon - height * 0.10 * Ridge(x / double(width), 11, 7);
            if (y > far) c = Mix(c, {90, 60, 100}, 0.85);
            if (y > near) c = {45, 30, 55};
            row[x] = Pack(c);
        }
    }
    PaintWater(scene.picture, scene.mask, horizon, height, 1, {20, 25, 60}, {200, 110, 90}, 0,
               width * 62 / 100);
    // A pier of dark rocks separates the sea from the pond on the right.
    for (int y = horizon; y < height; ++y) {
        uint32_t* row = scene.picture.Row(y);
        for (int x = width * 62 / 100; x < width * 66 / 100; ++x)
            row[x] = Pack(Scale({70, 50, 60}, 0.6 + 0.4 * Noise(x * 0.3, y * 0.3)));
    }
    PaintWater(scene.picture, scene.mask, horizon, height, 2, {30, 40, 70}, {230, 140, 100},
               width * 66 / 100, width);
    return scene;
}

Scene PaintWinterLake(int width, int height) {
    Scene scene{lv::Bitmap32(width, height), lv::Bitmap32(width, height)};
    const int shore = height * 60 / 100;
    for (int y = 0; y < shore; ++y) {
        const double t = static_cast<double>(y) / shore;
        uint32_t* row = scene.picture.Row(y);
        for (int x = 0; x < width; ++x) {
            Colour c = Mix({150, 170, 200}, {225, 230, 240}, t);
            const double hill = shore - height * 0.25 * Ridge(x / double(width), 4, 21);
            if (y > hill) c = Scale({235, 240, 248}, 0.85 + 0.15 * Noise(x * 0.05, y * 0.05));
            // Dark pines along the shore.
            const double tree = Noise(x * 0.09, 3.0);
            if (y > shore - height * 0.09 * tree && tree > 0.45) c = {25, 55, 45};
            row[x] = Pack(c);
        }
    }
    PaintWater(scene.picture, scene.mask, shore, height, 1, {25, 45, 70}, {150, 175, 200}, 0,
               width);
    return scene;
}

lv::Bitmap32 PaintForest(int width, int height) {
    lv::Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = picture.Row(y);
        const double t = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x) {
            Colour c = Mix({120, 180, 220}, {200, 225, 210}, t * 1.6);
            const double trunkline = Noise(x * 0.04, 5.0);
            const double canopy = height * (0.25 + 0.35 * Noise(x * 0.015, 1.0));
            if (y > canopy) c = Mix({30, 90, 40}, {60, 130, 50}, Noise(x * 0.08, y * 0.08));
            if (trunkline > 0.7 && y > canopy) c = {70, 50, 30};
            if (y > height * 0.85) c = Mix({90, 70, 40}, {60, 45, 25}, Noise(x * 0.1, y * 0.1));
            row[x] = Pack(c);
        }
    }
    return picture;
}

}  // namespace lvdemo
