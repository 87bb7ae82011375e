// Where sounds start in OpenAL Soft's rendered file: every sample that sounds after at least a given
// silence, in milliseconds from the file's start, to a sample's precision, with how long it sounds until
// the next such silence. The file is read as written, up to its end, so one whose writer was stopped
// before it could finish its header still reads.
// Usage: wave_onsets FILE.wav [silence ms, default 100]   prints "ONSET LENGTH" a line, then "end MS"
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.wav [silence ms]\n", argv[0]);
        return 2;
    }
    const double silenceMs = argc > 2 ? std::atof(argv[2]) : 100.0;
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(&bytes[8], "WAVE", 4) != 0) {
        std::fprintf(stderr, "wave_onsets: %s is not a WAVE file\n", argv[1]);
        return 1;
    }
    unsigned channels = 0, rate = 0, bits = 0;
    std::size_t at = 12, data = 0;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = le32(&bytes[at + 4]);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && at + 24 <= bytes.size()) {
            channels = le16(&bytes[at + 10]);
            rate = le32(&bytes[at + 12]);
            bits = le16(&bytes[at + 22]);
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            data = at + 8; // its size may still read 0: the samples run to the file's end
            break;
        }
        at += 8 + size + (size & 1);
    }
    if (!data || channels == 0 || rate == 0 || bits != 32) {
        std::fprintf(stderr, "wave_onsets: %s holds no 32-bit float samples\n", argv[1]);
        return 1;
    }
    const std::size_t frames = (bytes.size() - data) / (4 * channels);
    const double quietFrames = silenceMs * rate / 1000.0;
    const auto ms = [rate](std::size_t frame) { return 1000.0 * double(frame) / rate; };
    double quiet = quietFrames; // the file starts after silence
    std::size_t onset = 0, last = 0;
    bool open = false;
    for (std::size_t f = 0; f < frames; ++f) {
        bool sounds = false;
        for (unsigned c = 0; c < channels; ++c) {
            float v;
            std::memcpy(&v, &bytes[data + (f * channels + c) * 4], 4);
            sounds = sounds || std::fabs(v) > 1e-5f;
        }
        if (sounds && quiet >= quietFrames) {
            if (open)
                std::printf("%.3f %.3f\n", ms(onset), ms(last + 1) - ms(onset));
            onset = f;
            open = true;
        }
        if (sounds)
            last = f;
        quiet = sounds ? 0 : quiet + 1;
    }
    if (open)
        std::printf("%.3f %.3f\n", ms(onset), ms(last + 1) - ms(onset));
    std::printf("end %.3f\n", 1000.0 * double(frames) / rate);
    return 0;
}
