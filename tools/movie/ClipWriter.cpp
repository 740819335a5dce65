#include "tools/movie/ClipWriter.h"

#include <cmath>
#include <cstdio>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace movieclip {

namespace {

constexpr uint32_t kPalette[] = {0xC02020, 0x20C020, 0x2020C0, 0xC0C020, 0x20C0C0, 0xC020C0};
constexpr int kAudioRate = 44100;

void ToYuv(uint32_t rgb, uint8_t* y, uint8_t* u, uint8_t* v) {
    const double r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    *y = static_cast<uint8_t>(std::lround(16 + (65.481 * r + 128.553 * g + 24.966 * b) / 255));
    *u = static_cast<uint8_t>(std::lround(128 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255));
    *v = static_cast<uint8_t>(std::lround(128 + (112.0 * r - 93.786 * g - 18.214 * b) / 255));
}

struct SWriter {
    AVFormatContext* out = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();

    ~SWriter() {
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        av_packet_free(&packet);
        av_frame_free(&frame);
        if (out) {
            if (out->pb) {
                uint8_t* bytes = nullptr;
                avio_close_dyn_buf(out->pb, &bytes);
                av_free(bytes);
            }
            avformat_free_context(out);
        }
    }

    // Sends a frame (null: the end) and writes what the encoder gives back.
    bool Encode(AVCodecContext* codec, AVStream* stream, AVFrame* f) {
        if (avcodec_send_frame(codec, f) < 0) return false;
        for (;;) {
            int rc = avcodec_receive_packet(codec, packet);
            if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
            if (rc < 0) return false;
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(out, packet) < 0) return false;
        }
    }
};

bool Fail(std::string* error, const std::string& what) {
    *error = what;
    return false;
}

}  // namespace

uint32_t PatternColor(int frame) {
    return kPalette[(frame / kFramesPerColor) % (sizeof(kPalette) / sizeof(kPalette[0]))];
}

bool EncodeClip(const SClip& clip, std::vector<uint8_t>* bytes, std::string* error) {
    av_log_set_level(AV_LOG_QUIET);
    const AVCodec* videoCodec = avcodec_find_encoder(AV_CODEC_ID_MPEG1VIDEO);
    if (!videoCodec) return Fail(error, "libavcodec has no MPEG-1 video encoder");
    const AVCodec* audioCodec = avcodec_find_encoder(AV_CODEC_ID_MP2);
    if (clip.audio && !audioCodec) return Fail(error, "libavcodec has no MP2 audio encoder");
    SWriter w;
    if (avformat_alloc_output_context2(&w.out, nullptr, "mpeg", nullptr) < 0) {
        return Fail(error, "libavformat has no MPEG program stream muxer");
    }
    if (clip.video) {
        w.video = avcodec_alloc_context3(videoCodec);
        w.video->width = clip.width;
        w.video->height = clip.height;
        w.video->time_base = AVRational{1, clip.fps};
        w.video->framerate = AVRational{clip.fps, 1};
        w.video->pix_fmt = AV_PIX_FMT_YUV420P;
        w.video->gop_size = 5;
        w.video->max_b_frames = 0;
        w.video->bit_rate = 2000000;
        if (avcodec_open2(w.video, videoCodec, nullptr) < 0) return Fail(error, "video encoder refused the clip");
        w.videoStream = avformat_new_stream(w.out, nullptr);
        avcodec_parameters_from_context(w.videoStream->codecpar, w.video);
        w.videoStream->time_base = w.video->time_base;
    }
    if (clip.audio) {
        w.audio = avcodec_alloc_context3(audioCodec);
        w.audio->sample_fmt = AV_SAMPLE_FMT_S16;
        w.audio->sample_rate = kAudioRate;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        av_channel_layout_copy(&w.audio->ch_layout, &stereo);
        w.audio->bit_rate = 192000;
        w.audio->time_base = AVRational{1, kAudioRate};
        if (avcodec_open2(w.audio, audioCodec, nullptr) < 0) return Fail(error, "audio encoder refused the clip");
        w.audioStream = avformat_new_stream(w.out, nullptr);
        avcodec_parameters_from_context(w.audioStream->codecpar, w.audio);
        w.audioStream->time_base = w.audio->time_base;
    }
    if (avio_open_dyn_buf(&w.out->pb) < 0 || avformat_write_header(w.out, nullptr) < 0) {
        return Fail(error, "cannot start the container");
    }

    const int64_t totalSamples = static_cast<int64_t>(clip.frames) * kAudioRate / clip.fps;
    int64_t samples = 0;
    for (int n = 0; n <= clip.frames; ++n) {
        // Sound up to this picture's time first, so the muxer interleaves evenly.
        const int64_t until = std::min<int64_t>(totalSamples, static_cast<int64_t>(n) * kAudioRate / clip.fps);
        while (clip.audio && samples < until) {
            av_frame_unref(w.frame);
            w.frame->format = AV_SAMPLE_FMT_S16;
            w.frame->nb_samples = w.audio->frame_size;
            w.frame->sample_rate = kAudioRate;
            av_channel_layout_copy(&w.frame->ch_layout, &w.audio->ch_layout);
            if (av_frame_get_buffer(w.frame, 0) < 0) return Fail(error, "audio frame");
            auto* pcm = reinterpret_cast<int16_t*>(w.frame->data[0]);
            for (int i = 0; i < w.frame->nb_samples; ++i) {
                const double t = static_cast<double>(samples + i) / kAudioRate;
                const auto s =
                    static_cast<int16_t>(std::lround(32767 * clip.amplitude * std::sin(2 * M_PI * clip.toneHz * t)));
                pcm[2 * i] = pcm[2 * i + 1] = s;
            }
            w.frame->pts = samples;
            samples += w.frame->nb_samples;
            if (!w.Encode(w.audio, w.audioStream, w.frame)) return Fail(error, "audio encoding");
        }
        if (n == clip.frames) break;
        if (!clip.video) continue;
        av_frame_unref(w.frame);
        w.frame->format = AV_PIX_FMT_YUV420P;
        w.frame->width = clip.width;
        w.frame->height = clip.height;
        if (av_frame_get_buffer(w.frame, 0) < 0) return Fail(error, "video frame");
        uint8_t y0, u0, v0, yw, uw, vw, yk, uk, vk;
        ToYuv(PatternColor(n), &y0, &u0, &v0);
        ToYuv(0xFFFFFF, &yw, &uw, &vw);
        ToYuv(0x000000, &yk, &uk, &vk);
        const int half = clip.width / 2;
        const int bar = half + (n * 4) % std::max(1, half - 8);
        for (int y = 0; y < clip.height; ++y) {
            for (int x = 0; x < clip.width; ++x) {
                const bool left = x < half, inBar = x >= bar && x < bar + 8;
                uint8_t* py = w.frame->data[0] + y * w.frame->linesize[0] + x;
                *py = left ? y0 : inBar ? yw : yk;
                if ((x | y) & 1) continue;
                w.frame->data[1][(y / 2) * w.frame->linesize[1] + x / 2] = left ? u0 : inBar ? uw : uk;
                w.frame->data[2][(y / 2) * w.frame->linesize[2] + x / 2] = left ? v0 : inBar ? vw : vk;
            }
        }
        w.frame->pts = n;
        if (!w.Encode(w.video, w.videoStream, w.frame)) return Fail(error, "video encoding");
    }
    if (clip.video && !w.Encode(w.video, w.videoStream, nullptr)) return Fail(error, "video flush");
    if (clip.audio && !w.Encode(w.audio, w.audioStream, nullptr)) return Fail(error, "audio flush");
    if (av_write_trailer(w.out) < 0) return Fail(error, "container end");
    uint8_t* data = nullptr;
    const int size = avio_close_dyn_buf(w.out->pb, &data);
    w.out->pb = nullptr;
    bytes->assign(data, data + size);
    av_free(data);
    return true;
}

bool WriteClip(const SClip& clip, const std::string& nativePath, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!EncodeClip(clip, &bytes, error)) return false;
    std::FILE* f = std::fopen(nativePath.c_str(), "wb");
    if (!f) return Fail(error, "cannot write " + nativePath);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    std::fclose(f);
    return ok || Fail(error, "short write " + nativePath);
}

}  // namespace movieclip
