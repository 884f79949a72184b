#include "linux/VideoReader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

DecodedVideo ReadVideo(const std::string& path) {
    DecodedVideo video;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(format, nullptr) < 0 || format->nb_streams != 1) {
        avformat_close_input(&format);
        video.error = path + " does not open as a video of one stream";
        return video;
    }
    const AVStream* stream = format->streams[0];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder, stream->codecpar);
    avcodec_open2(decoder, codec, nullptr);
    video.codec = codec->name;
    video.width = decoder->width;
    video.height = decoder->height;
    video.rateNumerator = stream->avg_frame_rate.num;
    video.rateDenominator = stream->avg_frame_rate.den;
    video.seconds = static_cast<double>(format->duration) / AV_TIME_BASE;

    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    for (bool more = true; more;) {
        more = av_read_frame(format, packet) == 0;
        avcodec_send_packet(decoder, more ? packet : nullptr);
        av_packet_unref(packet);
        while (avcodec_receive_frame(decoder, frame) == 0) {
            SwsContext* toRgb = sws_getContext(
                frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                frame->width, frame->height, AV_PIX_FMT_RGB24,
                SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
            const int* matrix = sws_getCoefficients(frame->colorspace);
            sws_setColorspaceDetails(toRgb, matrix, frame->color_range == AVCOL_RANGE_JPEG, matrix,
                                     1, 0, 1 << 16, 1 << 16);
            auto& rgb =
                video.frames.emplace_back(static_cast<size_t>(frame->width) * frame->height * 3);
            uint8_t* out[4] = {rgb.data()};
            const int outStride[4] = {frame->width * 3};
            sws_scale(toRgb, frame->data, frame->linesize, 0, frame->height, out, outStride);
            sws_freeContext(toRgb);
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return video;
}
