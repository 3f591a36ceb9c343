#pragma once
// Short-lived sprites: sparks, dirt, stars, showers and the death spray.
#include <SDL/SDL.h>

#include <vector>

struct Particle {
    float life;
    float maxLife;
    float x, y;  // centre
    float vx, vy;
    float ax, ay;
    SDL_Surface* image;  // owned by the ResourceSet
};

struct ParticleSystem {
    std::vector<Particle> particles;  // in order of emission
};

float randomFloat(float lo, float hi);
void emitBurst(ParticleSystem& system, float x, float y, int pattern, SDL_Surface* image);
void updateParticles(ParticleSystem& system, float dt);
void drawParticles(const ParticleSystem& system, SDL_Surface* target);
