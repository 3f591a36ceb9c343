#include "game/particles.h"

void drawParticles(const ParticleSystem&, SDL_Surface*) {}
