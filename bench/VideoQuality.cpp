// How close a video export is to the frames the renderer made: the GIF export of the same run
// holds them exactly, each through its palette. Prints the frame counts and the PSNR over RGB.
//   video_quality VIDEO GIF
#include "linux/VideoReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gif_lib.h>
#include <vector>

namespace {

using Rgb = std::vector<uint8_t>;

std::vector<Rgb> ReadGif(const char* path) {
    std::vector<Rgb> frames;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK)
        return frames;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        Rgb rgb;
        for (int p = 0; p < gif->SWidth * gif->SHeight; ++p) {
            const GifColorType& c = map->Colors[image.RasterBits[p]];
            rgb.insert(rgb.end(), {c.Red, c.Green, c.Blue});
        }
        frames.push_back(std::move(rgb));
    }
    DGifCloseFile(gif, &error);
    return frames;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: video_quality VIDEO GIF\n");
        return 2;
    }
    const std::vector<Rgb> video = ReadVideo(argv[1]).frames;
    const std::vector<Rgb> exact = ReadGif(argv[2]);
    std::printf("frames: %zu in the video, %zu in the GIF\n", video.size(), exact.size());
    if (video.empty() || video.size() != exact.size() || video[0].size() != exact[0].size())
        return 1;
    double sumPsnr = 0, worst = 99, allSquares = 0;
    for (size_t f = 0; f < video.size(); ++f) {
        double squares = 0;
        for (size_t i = 0; i < video[f].size(); ++i) {
            const double d = video[f][i] - exact[f][i];
            squares += d * d;
        }
        allSquares += squares;
        // A frame the encoder got exactly right counts as 99 dB.
        const double psnr =
            squares == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * video[f].size() / squares);
        sumPsnr += psnr;
        worst = std::min(worst, psnr);
    }
    const double samples = static_cast<double>(video[0].size()) * video.size();
    std::printf("PSNR: mean %.2f dB, lowest %.2f dB, of all frames together %.2f dB\n",
                sumPsnr / video.size(), worst,
                10 * std::log10(255.0 * 255.0 * samples / allSquares));
    return 0;
}
