// The instruments and drums the note files can name, one table row each, and the
// routines that play one note of them into a buffer.
#pragma once

#include <string>

#include "dsp.h"

// Where a note lands. Writes wrap around the buffer's end, so a tune's last notes ring
// on into its start and the tune loops without a seam.
struct MixTarget {
    StereoBuffer& dry;
    StereoBuffer& send;  // feeds the echo and the room
    double sendLevel;
};

struct NotePlay {
    double startSec;
    double heldSec;
    double midi;
    double velocity;  // 0..1
    double gain;
    double pan;
};

bool isInstrument(const std::string& name);
bool isDrum(const std::string& name);

// Both return false for an unknown name.
bool playInstrumentNote(const std::string& instrument, const NotePlay& note, MixTarget& target);
bool playDrumHit(const std::string& drum, const NotePlay& hit, MixTarget& target);
