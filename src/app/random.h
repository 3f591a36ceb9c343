#pragma once
// The C library's generator, narrowed to the 0..32767 range the rules are written for.

// Seeds from the clock, once per run; randomInt and randomBool call it, randomFloat does not.
void seedRandomOnce();
// Tests make the random rules repeatable; after this the clock seed is skipped.
void seedRandom(unsigned seed);
int nextRandom();  // 0 to 32767
