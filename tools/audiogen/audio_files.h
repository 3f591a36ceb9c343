// Writes sounds to disk through libsndfile: 16-bit WAV for effects, Ogg Vorbis for music.
#pragma once

#include <string>
#include <vector>

bool writeWav(const std::string& path, const std::vector<float>& samples, int channels, std::string& error);
bool writeOgg(const std::string& path, const std::vector<float>& samples, int channels, double quality,
              std::string& error);
