#include "linux/GifWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gif_lib.h>

namespace {

ColorMapObject* MakeColorMap(const PaletteEntry palette[256]) {
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
    return GifMakeMapObject(256, colours);
}

bool SameColours(const PaletteEntry a[256], const PaletteEntry b[256]) {
    for (int i = 0; i < 256; ++i)
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue)
            return false;
    return true;
}

} // namespace

int GifFrameDelay(int frame, int fps) {
    auto elapsed = [fps](long long n) { return (n * 100 + fps / 2) / fps; };
    return static_cast<int>(elapsed(frame + 1) - elapsed(frame));
}

GifWriter::~GifWriter() {
    Abandon();
}

bool GifWriter::Fail(int gifError) {
    int savedErrno = errno;
    if (gifError == E_GIF_ERR_WRITE_FAILED || gifError == E_GIF_ERR_CLOSE_FAILED ||
        gifError == E_GIF_ERR_DISK_IS_FULL || gifError == E_GIF_ERR_OPEN_FAILED) {
        m_output.FailWithErrno(savedErrno ? savedErrno : EIO);
        m_strError = m_output.Error();
    } else {
        const char* text = GifErrorString(gifError);
        m_strError = std::string("GIF encoder: ") + (text ? text : "unknown error");
    }
    Abandon();
    return false;
}

bool GifWriter::Open(const std::string& path, int width, int height) {
    Abandon();
    m_nWidth = width;
    m_nHeight = height;
    m_nFrames = 0;
    if (!m_output.Open(path)) {
        m_strError = m_output.Error();
        return false;
    }
    int error = 0;
    m_pGif = EGifOpenFileHandle(m_output.Descriptor(), &error);
    if (!m_pGif) {
        errno = 0;
        return Fail(error);
    }
    // giflib owns the descriptor from here and closes it with the file.
    m_output.DescriptorClosed();
    EGifSetGifVersion(m_pGif, true);
    return true;
}

bool GifWriter::AddFrame(uint8_t* rows, int stride, const PaletteEntry palette[256], int delay) {
    if (!m_pGif)
        return false;
    errno = 0;
    if (m_nFrames == 0) {
        std::copy(palette, palette + 256, m_aGlobal);
        ColorMapObject* map = MakeColorMap(palette);
        int status = EGifPutScreenDesc(m_pGif, m_nWidth, m_nHeight, 8, 0, map);
        GifFreeMapObject(map);
        if (status == GIF_ERROR)
            return Fail(m_pGif->Error);
        // The application extension that makes viewers loop the animation forever.
        static const GifByteType loop[3] = {1, 0, 0};
        if (EGifPutExtensionLeader(m_pGif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(m_pGif, 11, "NETSCAPE2.0") == GIF_ERROR ||
            EGifPutExtensionBlock(m_pGif, 3, loop) == GIF_ERROR ||
            EGifPutExtensionTrailer(m_pGif) == GIF_ERROR)
            return Fail(m_pGif->Error);
    }

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(m_pGif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
        GIF_ERROR)
        return Fail(m_pGif->Error);

    ColorMapObject* local = SameColours(palette, m_aGlobal) ? nullptr : MakeColorMap(palette);
    if (!local && m_pGif->Image.ColorMap) {
        // giflib keeps its own copy of the last local table and, given none for this frame,
        // forgets that copy without freeing it.
        GifFreeMapObject(m_pGif->Image.ColorMap);
        m_pGif->Image.ColorMap = nullptr;
    }
    int status = EGifPutImageDesc(m_pGif, 0, 0, m_nWidth, m_nHeight, false, local);
    if (local)
        GifFreeMapObject(local);
    if (status == GIF_ERROR)
        return Fail(m_pGif->Error);
    for (int y = 0; y < m_nHeight; ++y)
        if (EGifPutLine(m_pGif, rows + static_cast<size_t>(y) * stride, m_nWidth) == GIF_ERROR)
            return Fail(m_pGif->Error);
    ++m_nFrames;
    return true;
}

bool GifWriter::Commit() {
    if (!m_pGif)
        return false;
    errno = 0;
    int error = 0;
    GifFileType* gif = m_pGif;
    m_pGif = nullptr;
    if (EGifCloseFile(gif, &error) == GIF_ERROR) {
        // Closing freed the encoder even though it failed.
        return Fail(error);
    }
    if (!m_output.Commit()) {
        m_strError = m_output.Error();
        return false;
    }
    return true;
}

void GifWriter::Abandon() {
    if (m_pGif) {
        int error = 0;
        EGifCloseFile(m_pGif, &error);
        m_pGif = nullptr;
    }
    m_output.Abandon();
}
