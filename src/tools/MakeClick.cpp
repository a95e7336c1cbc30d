// Writes the game's default click sound: a short, quiet wooden tick made from
// two decaying tones, as a 16-bit mono WAV file. Usage: make-click OUTPUT
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "records/SafeFile.hpp"

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-click OUTPUT.wav\n");
        return 1;
    }
    constexpr int kRate = 44100;
    constexpr double kSeconds = 0.035;
    constexpr double kPi = 3.14159265358979323846;
    const int count = static_cast<int>(kRate * kSeconds);
    std::vector<std::int16_t> samples;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double body = std::sin(2 * kPi * 1800 * t) * std::exp(-t * 160);
        const double knock = 0.6 * std::sin(2 * kPi * 3400 * t) * std::exp(-t * 420);
        const double fadeIn = std::min(1.0, t * kRate / 40.0);  // no hard edge at the start
        samples.push_back(static_cast<std::int16_t>(std::lround(0.22 * 32767 * fadeIn * (body + knock) / 1.6)));
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string wav = "RIFF";
    PutLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);         // format chunk size
    PutLittleEndian(wav, 1, 2);          // PCM
    PutLittleEndian(wav, 1, 2);          // mono
    PutLittleEndian(wav, kRate, 4);      // sample rate
    PutLittleEndian(wav, kRate * 2, 4);  // byte rate
    PutLittleEndian(wav, 2, 2);          // block align
    PutLittleEndian(wav, 16, 2);         // bits per sample
    wav += "data";
    PutLittleEndian(wav, dataBytes, 4);
    for (const std::int16_t s : samples) PutLittleEndian(wav, static_cast<std::uint16_t>(s), 2);
    const tilvaren::FileResult result = tilvaren::WriteFileAtomically(argv[1], wav);
    if (!result) {
        std::fprintf(stderr, "make-click: %s\n", EnglishReason(result).c_str());
        return 1;
    }
    return 0;
}
