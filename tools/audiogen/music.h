// Plays an arrangement of a score into a stereo buffer that loops seamlessly: notes
// and echoes that run past the end continue at the start, as on the second time round.
#pragma once

#include <string>

#include "dsp.h"
#include "score.h"

// False, with a message, when the arrangement names an unknown instrument or drum.
bool renderArrangement(const Score& score, const Arrangement& arrangement, StereoBuffer& out, std::string& error);

// Brings a mix to a steady loudness and rounds off its peaks so nothing clips.
void levelAndLimit(StereoBuffer& mix, double targetRms);
