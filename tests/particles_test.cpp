// Particle bursts: their patterns, motion, expiry and fading draw.
#include "game/particles.h"
#include "app/random.h"
#include "support/test_support.h"

namespace {

SDL_Surface* solidImage(int w, int h) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, 0xFFFFFF);
    return surface;
}

Particle particle(float life, float maxLife) { return {life, maxLife, 10, 10, 0, 0, 0, 0, nullptr}; }

}  // namespace

TEST(Bursts, HaveTheirCountsAndUnknownPatternsEmitNothing) {
    seedRandom(5);
    ParticleSystem system;
    const size_t counts[] = {10, 20, 20, 20, 20, 5, 30};
    for (int pattern = 0; pattern < 7; ++pattern) {
        system.particles.clear();
        emitBurst(system, 100, 100, pattern, nullptr);
        EXPECT_EQ(system.particles.size(), counts[pattern]) << "pattern " << pattern;
    }
    system.particles.clear();
    emitBurst(system, 100, 100, 7, nullptr);
    emitBurst(system, 100, 100, -1, nullptr);
    EXPECT_TRUE(system.particles.empty());
}

TEST(Bursts, PatternSixStartsAllItsParticlesAtOnePoint) {
    seedRandom(6);
    ParticleSystem system;
    emitBurst(system, 40, 70, 6, nullptr);
    for (const Particle& p : system.particles) {
        EXPECT_EQ(p.x, 40);
        EXPECT_EQ(p.y, 70);
        EXPECT_EQ(p.ax, -p.vx) << "it slows to a stop where its speed runs out";
        EXPECT_GE(p.life, 0.5f);
        EXPECT_LE(p.life, 1.0f);
        EXPECT_EQ(p.life, p.maxLife);
    }
}

TEST(Bursts, DrawTheirRandomValuesInTheListedOrder) {
    seedRandom(9);
    float d = randomFloat(-8, 8), life = randomFloat(0.05f, 0.5f), p = randomFloat(-50, 50), q = randomFloat(-50, 50);
    seedRandom(9);
    ParticleSystem system;
    emitBurst(system, 200, 300, 3, nullptr);
    const Particle& first = system.particles[0];
    EXPECT_FLOAT_EQ(first.x, 200 + d);
    EXPECT_EQ(first.y, 300);
    EXPECT_FLOAT_EQ(first.vx, 5 * d);
    EXPECT_FLOAT_EQ(first.vy, p);
    EXPECT_FLOAT_EQ(first.ax, -2 * d);
    EXPECT_FLOAT_EQ(first.ay, q);
    EXPECT_FLOAT_EQ(first.life, life);
}

TEST(RandomFloat, SpansItsRangeWithoutSeeding) {
    seedRandom(1);
    float low = 1, high = 0;
    for (int i = 0; i < 5000; ++i) {
        float value = randomFloat(0, 1);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_GE(low, 0.0f);
    EXPECT_LE(high, 1.0f);
    EXPECT_LT(low, 0.01f);
    EXPECT_GT(high, 0.99f);
}

TEST(UpdateParticles, MovesWithTheUpdatedVelocityAndRemovesTheExpiredWithoutSkipping) {
    ParticleSystem system;
    system.particles = {particle(0.05f, 0.05f), particle(0.05f, 0.05f), particle(1, 1), particle(0.02f, 1)};
    system.particles[2].vx = 10;
    system.particles[2].ax = 100;
    updateParticles(system, 0.05f);
    ASSERT_EQ(system.particles.size(), 1u);
    EXPECT_FLOAT_EQ(system.particles[0].life, 0.95f);
    EXPECT_FLOAT_EQ(system.particles[0].vx, 15);
    EXPECT_FLOAT_EQ(system.particles[0].x, 10 + 15 * 0.05f);
}

TEST(DrawParticles, FadeWithTheirLifeAndCentreOnTheirPosition) {
    SDL_Surface* target = solidImage(40, 40);
    SDL_FillRect(target, nullptr, 0);
    SDL_Surface* dot = solidImage(5, 4);
    ParticleSystem system;
    system.particles = {particle(0.5f, 1.0f)};
    system.particles[0].image = dot;
    system.particles[0].x = 10.9f;
    drawParticles(system, target);
    EXPECT_EQ(dot->format->alpha, 128) << "half way is drawn at 128";
    auto at = [&](int x, int y) { return static_cast<Uint32*>(target->pixels)[y * target->pitch / 4 + x] & 0xFF; };
    EXPECT_NEAR(at(8, 8), 128, 2);  // corner (10.9 - 2, 10 - 2), truncated
    EXPECT_EQ(at(7, 8), 0u);
    EXPECT_EQ(at(8, 7), 0u);
    EXPECT_NE(at(12, 11), 0u);
    EXPECT_EQ(at(13, 11), 0u);

    system.particles[0].life = 1.0f;
    drawParticles(system, target);
    EXPECT_EQ(dot->format->alpha, 255);
    system.particles[0].image = nullptr;
    drawParticles(system, target);  // a missing image draws nothing
    SDL_FreeSurface(dot);
    SDL_FreeSurface(target);
}
