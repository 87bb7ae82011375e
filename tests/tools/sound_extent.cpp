// Measures where a rendered sound file is not silent. Prints three numbers in milliseconds: how long it
// sounds in all, where the first sound starts and where the last one ends (0 0 0 when it is silent).
// Usage: sound_extent <file.wav>
#include <cmath>
#include <cstdio>
#include <sndfile.h>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.wav>\n", argv[0]);
        return 2;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(argv[1], SFM_READ, &info);
    if (!file || info.channels < 1 || info.samplerate < 1) {
        std::fprintf(stderr, "sound_extent: cannot read %s: %s\n", argv[1], sf_strerror(file));
        return 1;
    }
    // Millisecond windows: one sounds when any sample in it is above -80 dB.
    const sf_count_t window = info.samplerate / 1000;
    std::vector<float> frames(std::size_t(window * info.channels));
    long sounding = 0, first = -1, last = -1;
    for (long ms = 0;; ++ms) {
        const sf_count_t got = sf_readf_float(file, frames.data(), window);
        if (got <= 0)
            break;
        bool loud = false;
        for (sf_count_t i = 0; i < got * info.channels && !loud; ++i)
            loud = std::fabs(frames[std::size_t(i)]) > 1e-4f;
        if (loud) {
            ++sounding;
            if (first < 0)
                first = ms;
            last = ms + 1;
        }
    }
    sf_close(file);
    std::printf("%ld %ld %ld\n", sounding, first < 0 ? 0 : first, last < 0 ? 0 : last);
    return 0;
}
