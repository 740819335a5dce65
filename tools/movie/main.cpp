// niwa_movie <out.pak> [seconds]: writes a demo movie (640 × 480, 25 frames a second,
// a changing colour field, a moving bar and a tone) in the plain container form.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/movie/ClipWriter.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: niwa_movie <out.pak> [seconds]\n");
        return 2;
    }
    movieclip::SClip clip;
    clip.width = 640;
    clip.height = 480;
    clip.toneHz = 440;
    clip.amplitude = 0.3;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    clip.frames = clip.fps * (seconds > 0 ? seconds : 5);
    std::string error;
    if (!movieclip::WriteClip(clip, argv[1], &error)) {
        std::fprintf(stderr, "niwa_movie: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
