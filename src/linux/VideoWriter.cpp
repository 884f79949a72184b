#include "linux/VideoWriter.h"

#include "linux/PaletteToYuv.h"
#include "linux/VideoFormat.h"
#include "support/Trace.h"

#include <cstdarg>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

namespace {

// FFmpeg's notes go to the trace, not to the terminal the export line is written to.
void TraceFfmpeg(void* owner, int level, const char* format, va_list args) {
    if (level > AV_LOG_WARNING)
        return;
    char line[1024];
    int prefix = 1;
    av_log_format_line2(owner, level, format, args, line, sizeof line, &prefix);
    Trace(level <= AV_LOG_ERROR ? TraceFault : TraceNotice, "VideoWriter: %s", line);
}

std::string ErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// FFmpeg's own codes are negated four-letter tags, far beyond any errno.
bool IsSystemError(int error) {
    return error < 0 && error > -4096;
}

// Quality and speed of each codec, measured on this kind of picture: large dark areas and bright
// trails that move a little each frame. H.264 runs two threads, to keep up with the renderer at
// 1920x1080 on two cores: a fixed count, as x264's output depends on the count but not on the
// machine. Pictures up to 1024x768 are small enough for its slower, tighter preset.
void SetCodecOptions(VideoFormat format, AVCodecContext* codec) {
    if (format == VideoFormat::Mp4) {
        codec->thread_count = 2;
        const bool small = codec->width * codec->height <= 1024 * 768;
        av_opt_set(codec->priv_data, "preset", small ? "medium" : "veryfast", 0);
        av_opt_set(codec->priv_data, "crf", "14", 0);
    } else {
        codec->thread_count = 1;
        codec->bit_rate = 0;
        av_opt_set(codec->priv_data, "crf", "16", 0);
        av_opt_set(codec->priv_data, "deadline", "realtime", 0);
        av_opt_set(codec->priv_data, "cpu-used", "6", 0);
        av_opt_set(codec->priv_data, "row-mt", "0", 0);
    }
}

} // namespace

struct VideoWriter::Encoder {
    ~Encoder() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format)
            avio_closep(&format->pb);
        avformat_free_context(format);
    }

    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    int64_t nextPts = 0;
    PaletteToYuv converter;
};

VideoWriter::VideoWriter() = default;

VideoWriter::~VideoWriter() {
    Abandon();
}

bool VideoWriter::Fail(const char* step, int error) {
    if (IsSystemError(error)) {
        m_output.FailWithErrno(-error);
        m_strError = m_output.Error();
    } else {
        m_strError = std::string("video encoder: ") + step + ": " + ErrorText(error);
    }
    Abandon();
    return false;
}

bool VideoWriter::Open(const std::string& path, int width, int height, int fps) {
    Abandon();
    av_log_set_callback(TraceFfmpeg);
    const VideoFormat kind = VideoFormatOf(path);
    if (kind == VideoFormat::Unknown || !VideoSizeProblem(kind, width, height).empty()) {
        m_strError = "video encoder: cannot make " + path + " at " + std::to_string(width) + "x" +
                     std::to_string(height);
        return false;
    }
    if (!m_output.Open(path)) {
        m_strError = m_output.Error();
        return false;
    }
    m_pEncoder = std::make_unique<Encoder>();
    Encoder& e = *m_pEncoder;
    // libavformat writes the temporary file itself, by name: the MP4 muxer opens it a second
    // time to move the index to the front, where a browser needs it to start playing at once.
    const std::string url = "file:" + m_output.TemporaryPath();
    const bool mp4 = kind == VideoFormat::Mp4;
    int error =
        avformat_alloc_output_context2(&e.format, nullptr, mp4 ? "mp4" : "webm", url.c_str());
    if (error < 0)
        return Fail("container", error);
    e.format->flags |= AVFMT_FLAG_BITEXACT;

    const AVCodec* codec = avcodec_find_encoder_by_name(mp4 ? "libx264" : "libvpx-vp9");
    if (!codec)
        return Fail(mp4 ? "no libx264" : "no libvpx-vp9", AVERROR_ENCODER_NOT_FOUND);
    e.codec = avcodec_alloc_context3(codec);
    e.stream = avformat_new_stream(e.format, nullptr);
    e.frame = av_frame_alloc();
    e.packet = av_packet_alloc();
    if (!e.codec || !e.stream || !e.frame || !e.packet)
        return Fail("setting up", AVERROR(ENOMEM));
    e.codec->width = width;
    e.codec->height = height;
    e.codec->pix_fmt = AV_PIX_FMT_YUV420P;
    e.codec->time_base = {1, fps};
    e.codec->framerate = {fps, 1};
    e.codec->flags |= AV_CODEC_FLAG_BITEXACT;
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER)
        e.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    // What PaletteToYuv makes: studio-range BT.601 of sRGB colours.
    e.codec->color_range = AVCOL_RANGE_MPEG;
    e.codec->colorspace = AVCOL_SPC_SMPTE170M;
    e.codec->color_primaries = AVCOL_PRI_BT709;
    e.codec->color_trc = AVCOL_TRC_IEC61966_2_1;
    SetCodecOptions(kind, e.codec);
    if ((error = avcodec_open2(e.codec, codec, nullptr)) < 0)
        return Fail("opening the codec", error);
    if ((error = avcodec_parameters_from_context(e.stream->codecpar, e.codec)) < 0)
        return Fail("stream parameters", error);
    e.stream->time_base = e.codec->time_base;
    e.stream->avg_frame_rate = e.codec->framerate;

    e.frame->format = e.codec->pix_fmt;
    e.frame->width = width;
    e.frame->height = height;
    if ((error = av_frame_get_buffer(e.frame, 0)) < 0)
        return Fail("frame buffer", error);

    if ((error = avio_open(&e.format->pb, url.c_str(), AVIO_FLAG_WRITE)) < 0)
        return Fail("opening", error);
    AVDictionary* muxing = nullptr;
    if (mp4)
        av_dict_set(&muxing, "movflags", "+faststart", 0);
    error = avformat_write_header(e.format, &muxing);
    av_dict_free(&muxing);
    if (error < 0)
        return Fail("writing the header", error);
    Trace(TraceInfo, "VideoWriter: %s %dx%d at %d fps", codec->name, width, height, fps);
    return true;
}

bool VideoWriter::AddFrame(const uint8_t* rows, int stride, const PaletteEntry palette[256]) {
    if (!m_pEncoder)
        return false;
    Encoder& e = *m_pEncoder;
    e.converter.LoadPalette(palette);
    // The encoder may still hold the previous picture.
    int error = av_frame_make_writable(e.frame);
    if (error < 0)
        return Fail("frame buffer", error);
    e.converter.Convert(rows, stride, e.codec->width, e.codec->height, e.frame->data[0],
                        e.frame->linesize[0], e.frame->data[1], e.frame->linesize[1],
                        e.frame->data[2], e.frame->linesize[2]);
    e.frame->pts = e.nextPts++;
    return Encode(false);
}

// Hands the frame (or, last, the end of the stream) to the encoder and writes every packet it
// has ready.
bool VideoWriter::Encode(bool last) {
    Encoder& e = *m_pEncoder;
    int error = avcodec_send_frame(e.codec, last ? nullptr : e.frame);
    if (error < 0)
        return Fail("encoding", error);
    while ((error = avcodec_receive_packet(e.codec, e.packet)) == 0) {
        if (e.packet->duration == 0)
            e.packet->duration = 1;
        av_packet_rescale_ts(e.packet, e.codec->time_base, e.stream->time_base);
        e.packet->stream_index = e.stream->index;
        if ((error = av_interleaved_write_frame(e.format, e.packet)) < 0)
            return Fail("writing", error);
    }
    if (error != AVERROR(EAGAIN) && error != AVERROR_EOF)
        return Fail("encoding", error);
    return true;
}

bool VideoWriter::Commit() {
    if (!m_pEncoder || !Encode(true))
        return false;
    Encoder& e = *m_pEncoder;
    int error = av_write_trailer(e.format);
    if (error < 0)
        return Fail("finishing", error);
    if ((error = avio_closep(&e.format->pb)) < 0)
        return Fail("closing", error);
    m_pEncoder.reset();
    if (!m_output.Commit()) {
        m_strError = m_output.Error();
        return false;
    }
    return true;
}

void VideoWriter::Abandon() {
    m_pEncoder.reset();
    m_output.Abandon();
}
