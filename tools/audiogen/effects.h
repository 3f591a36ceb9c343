// The game's sound effects, each a recipe of a few layered partials and noise bands.
#pragma once

#include <string>
#include <vector>

struct EffectSound {
    std::string file;            // name in resources.res/sounds
    std::vector<float> samples;  // mono, at sampleRate
};

std::vector<EffectSound> renderAllEffects();
