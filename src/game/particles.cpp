#include "game/particles.h"

#include "app/display.h"
#include "app/random.h"

#include <algorithm>
#include <cmath>

namespace {

// The random draws of one particle, in the order they are taken.
struct Draws {
    float a, b, c, d;
};

// Each pattern: how many particles, the ranges of its draws, and how the draws
// become a particle at (x, y).
struct BurstPattern {
    int count;
    int drawCount;
    float ranges[4][2];
    Particle (*make)(float x, float y, const Draws& draw);
};

// Spread from a point and slow down: draws dx, dy, life.
Particle spread(float x, float y, const Draws& d) {
    return {d.c, d.c, x + d.a, y + d.b, 3 * d.a, 3 * d.b, -2 * d.a, -2 * d.b, nullptr};
}
// Along a vertical edge: draws d, life, p, q.
Particle verticalSpray(float x, float y, const Draws& d) {
    return {d.b, d.b, x, y + d.a, d.c, 5 * d.a, d.d, -2 * d.a, nullptr};
}
// Along a horizontal edge: draws d, life, p, q.
Particle horizontalSpray(float x, float y, const Draws& d) {
    return {d.b, d.b, x + d.a, y, 5 * d.a, d.c, -2 * d.a, d.d, nullptr};
}
// All from one point: draws dx, dy, life.
Particle fountain(float x, float y, const Draws& d) {
    return {d.c, d.c, x, y, 2 * d.a, 2 * d.b, -2 * d.a, -2 * d.b, nullptr};
}

const BurstPattern burstPatterns[] = {
    {10, 3, {{-16, 16}, {-16, 16}, {0.5f, 2.0f}}, spread},
    {20, 4, {{-8, 8}, {0.05f, 0.5f}, {-50, 50}, {-50, 50}}, verticalSpray},
    {20, 4, {{-8, 8}, {0.05f, 0.5f}, {-50, 50}, {-50, 50}}, verticalSpray},
    {20, 4, {{-8, 8}, {0.05f, 0.5f}, {-50, 50}, {-50, 50}}, horizontalSpray},
    {20, 4, {{-8, 8}, {0.05f, 0.5f}, {-50, 50}, {-50, 50}}, horizontalSpray},
    {5, 3, {{-8, 8}, {-8, 8}, {0.5f, 1.0f}}, spread},
    {30, 3, {{-32, 32}, {-32, 32}, {0.5f, 1.0f}}, fountain},
};
constexpr int patternCount = sizeof burstPatterns / sizeof burstPatterns[0];

Draws drawFor(const BurstPattern& pattern) {
    float values[4] = {0, 0, 0, 0};
    for (int i = 0; i < pattern.drawCount; ++i) values[i] = randomFloat(pattern.ranges[i][0], pattern.ranges[i][1]);
    return {values[0], values[1], values[2], values[3]};
}

// Opaque at birth, transparent at death; a tie rounds to the even neighbour.
Uint8 fadeAlpha(const Particle& particle) {
    return static_cast<Uint8>(std::lrint(particle.life / particle.maxLife * 255.0f) & 0xFF);
}

}  // namespace

float randomFloat(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(nextRandom() / 32767.0); }

void emitBurst(ParticleSystem& system, float x, float y, int pattern, SDL_Surface* image) {
    if (pattern < 0 || pattern >= patternCount) return;
    const BurstPattern& burst = burstPatterns[pattern];
    for (int i = 0; i < burst.count; ++i) {
        Particle particle = burst.make(x, y, drawFor(burst));
        particle.image = image;
        system.particles.push_back(particle);
    }
}

void updateParticles(ParticleSystem& system, float dt) {
    for (Particle& p : system.particles) {
        p.life -= dt;
        p.vx += p.ax * dt;
        p.vy += p.ay * dt;
        p.x += p.vx * dt;
        p.y += p.vy * dt;
    }
    auto& list = system.particles;
    list.erase(std::remove_if(list.begin(), list.end(), [](const Particle& p) { return p.life <= 0; }), list.end());
}

void drawParticles(const ParticleSystem& system, SDL_Surface* target) {
    for (const Particle& particle : system.particles) {
        if (!particle.image) continue;
        SDL_SetAlpha(particle.image, SDL_SRCALPHA, fadeAlpha(particle));
        drawImage(particle.x - particle.image->w / 2, particle.y - particle.image->h / 2, particle.image, target);
    }
}
