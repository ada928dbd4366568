// Writes the start sound: a two-tone car horn of about two seconds as a mono 16-bit WAV file.
// Run at build time; the program carries the result as a resource.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_horn OUT.wav\n");
        return 2;
    }
    constexpr int rate = 22050;
    constexpr double seconds = 1.9;
    constexpr double pi = 3.14159265358979323846;
    const int samples = static_cast<int>(rate * seconds);
    std::vector<unsigned char> data;
    data.reserve(static_cast<std::size_t>(samples) * 2);
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        // Two short honks and a long one; each tone a slightly rough square-like wave, as horns are.
        const bool on = (t < 0.28) || (t > 0.40 && t < 0.68) || (t > 0.80);
        double v = 0;
        if (on) {
            for (double f : {415.0, 523.0}) {
                for (int h = 1; h <= 9; h += 2) v += std::sin(2 * pi * f * h * t) / h;
            }
            v *= 0.22;
        }
        // soft edges, so that nothing clicks
        const double edge = 0.012;
        auto ramp = [&](double a, double b) {
            if (t < a || t > b) return 0.0;
            return std::min({1.0, (t - a) / edge, (b - t) / edge});
        };
        v *= std::max({ramp(0, 0.28), ramp(0.40, 0.68), ramp(0.80, seconds)});
        const int s = static_cast<int>(std::lround(std::clamp(v, -1.0, 1.0) * 30000));
        put16(data, static_cast<unsigned>(static_cast<std::uint16_t>(static_cast<std::int16_t>(s))));
    }
    std::vector<unsigned char> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    put32(wav, static_cast<std::uint32_t>(36 + data.size()));
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, rate);
    put32(wav, rate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    put32(wav, static_cast<std::uint32_t>(data.size()));
    wav.insert(wav.end(), data.begin(), data.end());
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) return 1;
    const bool ok = std::fwrite(wav.data(), 1, wav.size(), f) == wav.size();
    return (std::fclose(f) == 0 && ok) ? 0 : 1;
}
