#include "RingTone.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace soundgen {

namespace {

void Put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

// A bell-like note starting at `start` seconds, added into the samples.
void AddNote(std::vector<double>& samples, double start, double frequency, double seconds) {
    constexpr double kPi = 3.14159265358979323846;
    const struct {
        double ratio, level;
    } partials[] = {{1.0, 1.0}, {2.0, 0.35}, {3.0, 0.12}, {4.2, 0.05}};
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t count = static_cast<size_t>(seconds * kSampleRate);
    for (size_t n = 0; n < count && first + n < samples.size(); ++n) {
        const double t = static_cast<double>(n) / kSampleRate;
        const double attack = std::min(1.0, t / 0.005);  // no click at the start
        const double envelope = attack * std::exp(-t * 4.0);
        double v = 0.0;
        for (const auto& p : partials) v += p.level * std::sin(2.0 * kPi * frequency * p.ratio * t);
        samples[first + n] += envelope * v;
    }
}

}  // namespace

std::string RingWav() {
    std::vector<double> samples(static_cast<size_t>(1.4 * kSampleRate), 0.0);
    AddNote(samples, 0.0, 1318.51, 0.9);  // E6
    AddNote(samples, 0.35, 987.77, 1.05);  // B5
    std::string data;
    for (double s : samples) {
        const double v = std::max(-1.0, std::min(1.0, s * 0.45));
        Put16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
    }
    std::string out = "RIFF";
    Put32(out, static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * 2);  // bytes per second
    Put16(out, 2);                // block align
    Put16(out, 16);               // bits per sample
    out += "data";
    Put32(out, static_cast<uint32_t>(data.size()));
    return out + data;
}

}  // namespace soundgen
