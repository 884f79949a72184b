#include "linux/PngWriter.h"

#include "linux/OutputFile.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace {

struct PngFailure {
    std::string message;
};

void OnPngError(png_structp png, png_const_charp message) {
    static_cast<PngFailure*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Everything that must survive the longjmp lives outside this function's frame.
bool Encode(std::FILE* file, const uint8_t* rows, int stride, int width, int height,
            const PaletteEntry palette[256], PngFailure& failure) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_color> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
    std::vector<png_const_bytep> rowPointers(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rowPointers[y] = rows + static_cast<size_t>(y) * stride;

    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours.data(), 256);
    png_write_info(png, info);
    png_write_rows(png, const_cast<png_bytepp>(rowPointers.data()), height);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool WritePng(const std::string& path, const uint8_t* rows, int stride, int width, int height,
              const PaletteEntry palette[256], std::string& error) {
    OutputFile output;
    if (!output.Open(path)) {
        error = output.Error();
        return false;
    }
    std::FILE* file = fdopen(output.Descriptor(), "wb");
    if (!file) {
        output.FailWithErrno(errno);
        error = output.Error();
        return false;
    }
    output.DescriptorClosed();
    errno = 0;
    PngFailure failure;
    bool encoded = Encode(file, rows, stride, width, height, palette, failure);
    int savedErrno = errno;
    bool flushed = std::fflush(file) == 0;
    if (!flushed)
        savedErrno = errno;
    bool closed = std::fclose(file) == 0;
    if (!closed && flushed)
        savedErrno = errno;
    if (!encoded || !flushed || !closed) {
        if (savedErrno != 0 || failure.message.empty())
            output.FailWithErrno(savedErrno ? savedErrno : EIO);
        error = savedErrno != 0 || failure.message.empty() ? output.Error()
                                                           : "PNG encoder: " + failure.message;
        output.Abandon();
        return false;
    }
    if (!output.Commit()) {
        error = output.Error();
        return false;
    }
    return true;
}
