#include "audio_files.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "dsp.h"

namespace {

bool writeWith(const std::string& path, int format, const std::vector<float>& samples, int channels, double quality,
               std::string& error) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return error = path + ": " + sf_strerror(nullptr), false;
    if (quality >= 0) sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    // libvorbis crashes on a single write of a few million frames, so feed it in blocks.
    const sf_count_t total = static_cast<sf_count_t>(samples.size() / channels);
    const sf_count_t block = 8192;
    bool ok = true;
    for (sf_count_t at = 0; ok && at < total; at += block) {
        sf_count_t n = std::min(block, total - at);
        ok = sf_writef_float(file, samples.data() + at * channels, n) == n;
    }
    if (!ok) error = path + ": " + sf_strerror(file);
    sf_close(file);
    return ok;
}

uint32_t oggCrc(const unsigned char* data, size_t size) {
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint32_t>(data[i]) << 24;
        for (int b = 0; b < 8; ++b) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    return crc;
}

void putLe32(unsigned char* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
}

// libsndfile gives each Ogg stream a serial number seeded from the clock; setting it
// to a fixed value (and re-sealing every page's checksum) makes builds byte-identical.
bool fixOggSerial(const std::string& path, uint32_t serial, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t pos = 0;
    while (pos + 27 <= bytes.size()) {
        unsigned char* page = &bytes[pos];
        if (page[0] != 'O' || page[1] != 'g' || page[2] != 'g' || page[3] != 'S')
            return error = path + ": unexpected Ogg page layout", false;
        size_t segments = page[26];
        if (pos + 27 + segments > bytes.size()) break;
        size_t body = 0;
        for (size_t s = 0; s < segments; ++s) body += page[27 + s];
        size_t size = 27 + segments + body;
        if (pos + size > bytes.size()) return error = path + ": truncated Ogg page", false;
        putLe32(page + 14, serial);
        putLe32(page + 22, 0);
        putLe32(page + 22, oggCrc(page, size));
        pos += size;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return error = path + ": cannot rewrite", false;
    return true;
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<float>& samples, int channels, std::string& error) {
    return writeWith(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, samples, channels, -1.0, error);
}

bool writeOgg(const std::string& path, const std::vector<float>& samples, int channels, double quality,
              std::string& error) {
    return writeWith(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, samples, channels, quality, error) &&
           fixOggSerial(path, 0x51524f57u, error);
}
