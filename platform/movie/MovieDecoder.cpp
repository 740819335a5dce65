#include "platform/movie/MovieDecoder.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kIoBufferSize = 32 * 1024;
// Containers a movie file may be; anything else is refused before a demuxer is tried
// (the bytes may be anything a player put into the game folder).
constexpr const char* kFormats = "mpeg,mpegts,mpegvideo,avi,matroska,webm,mov,mp4,ogg";
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof(text));
    return text;
}

int ReadPacket(void* opaque, uint8_t* buffer, int size) {
    int n = static_cast<IMovieSource*>(opaque)->Read(buffer, size);
    if (n == 0) return AVERROR_EOF;
    return n < 0 ? AVERROR(EIO) : n;
}

int64_t SeekSource(void* opaque, int64_t offset, int whence) {
    auto* source = static_cast<IMovieSource*>(opaque);
    if (whence & AVSEEK_SIZE) return source->GetSize();
    whence &= ~AVSEEK_FORCE;
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
    return source->Seek(offset, whence == SEEK_SET ? 0 : whence == SEEK_CUR ? 1 : 2);
}

struct SStream {
    int index = -1;
    AVCodecContext* codec = nullptr;
    bool flushed = false;  // the end was sent to the decoder
    bool ended = false;    // the decoder gave its last frame

    void Free() {
        avcodec_free_context(&codec);
        index = -1;
        flushed = ended = false;
    }
};

}  // namespace

struct CMovieDecoder::SImpl {
    std::unique_ptr<IMovieSource> source;
    AVIOContext* io = nullptr;
    AVFormatContext* format = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    SStream video;
    SStream audio;
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    AVChannelLayout resamplerLayout{};
    int resamplerFormat = -1;
    int resamplerRate = 0;
    uint32_t pictureWidth = 800;
    uint32_t pictureHeight = 600;
    std::vector<int16_t> pending;  // resampled frames not yet handed out
    size_t pendingRead = 0;
    int64_t lastPictureMs = -1;
    bool eof = false;
    bool failed = false;

    ~SImpl() { Close(); }

    void Close() {
        video.Free();
        audio.Free();
        sws_freeContext(scaler);
        scaler = nullptr;
        swr_free(&resampler);
        av_channel_layout_uninit(&resamplerLayout);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avformat_close_input(&format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
        source.reset();
        pending.clear();
        pendingRead = 0;
        lastPictureMs = -1;
        eof = failed = false;
    }

    bool OpenStream(AVMediaType type, SStream* stream, std::string* error) {
        const AVCodec* decoder = nullptr;
        int index = av_find_best_stream(format, type, -1, -1, &decoder, 0);
        if (index < 0 || !decoder) {
            *error = type == AVMEDIA_TYPE_VIDEO ? "no video stream" : "no audio stream";
            return false;
        }
        AVCodecParameters* par = format->streams[index]->codecpar;
        if (type == AVMEDIA_TYPE_VIDEO &&
            (par->width <= 0 || par->height <= 0 || par->width > kMaxDimension || par->height > kMaxDimension)) {
            *error = "picture size out of range";
            return false;
        }
        stream->codec = avcodec_alloc_context3(decoder);
        if (!stream->codec || avcodec_parameters_to_context(stream->codec, par) < 0) {
            *error = "decoder context";
            return false;
        }
        stream->codec->thread_count = 1;
        int rc = avcodec_open2(stream->codec, decoder, nullptr);
        if (rc < 0) {
            *error = "decoder: " + ErrorText(rc);
            return false;
        }
        stream->index = index;
        return true;
    }

    // The next frame of `stream` into `frame`; false at its end or on failure.
    bool NextFrame(SStream& stream) {
        for (;;) {
            if (stream.ended) return false;
            int rc = avcodec_receive_frame(stream.codec, frame);
            if (rc == 0) return true;
            if (rc == AVERROR_EOF) {
                stream.ended = true;
                return false;
            }
            if (rc != AVERROR(EAGAIN)) {
                failed = true;
                stream.ended = true;
                return false;
            }
            if (stream.flushed) {
                stream.ended = true;
                return false;
            }
            if (eof) {
                avcodec_send_packet(stream.codec, nullptr);
                stream.flushed = true;
                continue;
            }
            rc = av_read_frame(format, packet);
            if (rc < 0) {
                if (rc != AVERROR_EOF) failed = true;
                eof = true;
                continue;
            }
            if (packet->stream_index == stream.index) {
                // A damaged packet is dropped; the decoder resynchronises on the next one.
                avcodec_send_packet(stream.codec, packet);
            }
            av_packet_unref(packet);
        }
    }

    void Convert(SMoviePicture* out) {
        const uint32_t w = pictureWidth, h = pictureHeight;
        out->width = w;
        out->height = h;
        out->pixels.assign(static_cast<size_t>(w) * h, kOpaqueBlack);
        AVStream* st = format->streams[video.index];
        AVRational sar = frame->sample_aspect_ratio.num > 0 ? frame->sample_aspect_ratio : st->sample_aspect_ratio;
        double aspect = static_cast<double>(frame->width) / frame->height;
        if (sar.num > 0 && sar.den > 0) aspect *= av_q2d(sar);
        // The largest even-sized box of the picture's shape that fits, centred.
        int dw = static_cast<int>(w), dh = static_cast<int>(h);
        if (aspect > static_cast<double>(w) / h) {
            dh = std::max(2, static_cast<int>(w / aspect + 0.5) & ~1);
        } else {
            dw = std::max(2, static_cast<int>(h * aspect + 0.5) & ~1);
        }
        const int dx = (static_cast<int>(w) - dw) / 2, dy = (static_cast<int>(h) - dh) / 2;
        scaler = sws_getCachedContext(scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                      dw, dh, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!scaler) {
            failed = true;
            return;
        }
        uint8_t* dst[4] = {reinterpret_cast<uint8_t*>(out->pixels.data() + static_cast<size_t>(dy) * w + dx)};
        int dstStride[4] = {static_cast<int>(w * 4)};
        sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
        // Sources without alpha leave it as the converter likes: the picture is opaque.
        for (int y = 0; y < dh; ++y) {
            uint32_t* row = out->pixels.data() + static_cast<size_t>(dy + y) * w + dx;
            for (int x = 0; x < dw; ++x) row[x] |= kOpaqueBlack;
        }
    }

    // A resampler for the current frame's own layout, rate and sample format: damaged
    // streams change them between frames, and feeding a frame to a resampler set up for
    // another layout reads planes that are not there.
    bool EnsureResampler() {
        const bool same = resampler && frame->format == resamplerFormat && frame->sample_rate == resamplerRate &&
                          av_channel_layout_compare(&frame->ch_layout, &resamplerLayout) == 0;
        if (same) return true;
        if (resampler) {
            Resample(true);
            swr_free(&resampler);
        }
        if (frame->sample_rate <= 0 || frame->ch_layout.nb_channels <= 0) {
            failed = true;
            return false;
        }
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        int rc = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16, kAudioRate, &frame->ch_layout,
                                     static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        if (rc < 0 || swr_init(resampler) < 0) {
            swr_free(&resampler);
            failed = true;
            return false;
        }
        resamplerFormat = frame->format;
        resamplerRate = frame->sample_rate;
        av_channel_layout_uninit(&resamplerLayout);
        av_channel_layout_copy(&resamplerLayout, &frame->ch_layout);
        return true;
    }

    // Appends the current audio frame (or, with no frame, what the resampler still holds).
    bool Resample(bool drain) {
        if (!drain && !EnsureResampler()) return false;
        if (!resampler) return true;
        const int inSamples = drain ? 0 : frame->nb_samples;
        const int outMax = swr_get_out_samples(resampler, inSamples);
        if (outMax <= 0) return true;
        const size_t base = pending.size();
        pending.resize(base + static_cast<size_t>(outMax) * kAudioChannels);
        uint8_t* dst[1] = {reinterpret_cast<uint8_t*>(pending.data() + base)};
        int got = swr_convert(resampler, dst, outMax,
                              drain ? nullptr : const_cast<const uint8_t**>(frame->extended_data), inSamples);
        if (got < 0) {
            pending.resize(base);
            failed = true;
            return false;
        }
        pending.resize(base + static_cast<size_t>(got) * kAudioChannels);
        return true;
    }
};

CMovieDecoder::CMovieDecoder() : m_Impl(std::make_unique<SImpl>()) {}

CMovieDecoder::~CMovieDecoder() = default;

bool CMovieDecoder::Open(std::unique_ptr<IMovieSource> source, uint32_t streams, std::string* error) {
    // The library's own messages would go to the console; failures reach the caller.
    av_log_set_level(AV_LOG_QUIET);
    std::string scratch;
    if (!error) error = &scratch;
    SImpl& m = *m_Impl;
    m.Close();
    if (!source) {
        *error = "no source";
        return false;
    }
    m.source = std::move(source);
    auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    m.io = buffer ? avio_alloc_context(buffer, kIoBufferSize, 0, m.source.get(), ReadPacket, nullptr, SeekSource)
                  : nullptr;
    m.format = avformat_alloc_context();
    m.packet = av_packet_alloc();
    m.frame = av_frame_alloc();
    if (!m.io || !m.format || !m.packet || !m.frame) {
        if (!m.io) av_free(buffer);
        *error = "out of memory";
        m.Close();
        return false;
    }
    m.format->pb = m.io;
    m.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m.format->format_whitelist = av_strdup(kFormats);
    int rc = avformat_open_input(&m.format, nullptr, nullptr, nullptr);
    if (rc < 0) {
        // avformat_open_input frees the context on failure.
        *error = "container: " + ErrorText(rc);
        m.Close();
        return false;
    }
    rc = avformat_find_stream_info(m.format, nullptr);
    if (rc < 0) {
        *error = "stream info: " + ErrorText(rc);
        m.Close();
        return false;
    }
    if ((streams & STREAM_VIDEO) && !m.OpenStream(AVMEDIA_TYPE_VIDEO, &m.video, error)) {
        m.Close();
        return false;
    }
    if ((streams & STREAM_AUDIO) && !m.OpenStream(AVMEDIA_TYPE_AUDIO, &m.audio, error)) {
        m.Close();
        return false;
    }
    return true;
}

void CMovieDecoder::Close() { m_Impl->Close(); }

bool CMovieDecoder::IsOpen() const { return m_Impl->format != nullptr; }

bool CMovieDecoder::HasVideo() const { return m_Impl->video.codec != nullptr; }

bool CMovieDecoder::HasAudio() const { return m_Impl->audio.codec != nullptr; }

int64_t CMovieDecoder::GetDurationMs() const {
    const AVFormatContext* f = m_Impl->format;
    if (!f || f->duration == AV_NOPTS_VALUE || f->duration <= 0) return 0;
    return av_rescale(f->duration, 1000, AV_TIME_BASE);
}

int CMovieDecoder::GetVideoWidth() const { return HasVideo() ? m_Impl->video.codec->width : 0; }

int CMovieDecoder::GetVideoHeight() const { return HasVideo() ? m_Impl->video.codec->height : 0; }

void CMovieDecoder::SetPictureSize(uint32_t width, uint32_t height) {
    m_Impl->pictureWidth = std::clamp<uint32_t>(width, 2, kMaxDimension);
    m_Impl->pictureHeight = std::clamp<uint32_t>(height, 2, kMaxDimension);
}

bool CMovieDecoder::ReadPicture(SMoviePicture* out) {
    SImpl& m = *m_Impl;
    if (!m.video.codec || m.failed || !m.NextFrame(m.video)) return false;
    AVStream* st = m.format->streams[m.video.index];
    const int64_t pts = m.frame->best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE) {
        // The decoder's last pictures may come without a time: one frame after the previous.
        const AVRational rate = st->avg_frame_rate.num > 0 ? st->avg_frame_rate : m.video.codec->framerate;
        const int64_t step = rate.num > 0 ? av_rescale(1000, rate.den, rate.num) : 40;
        out->timeMs = m.lastPictureMs < 0 ? 0 : m.lastPictureMs + step;
    } else {
        const int64_t start = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
        out->timeMs = std::max<int64_t>(0, av_rescale_q(pts - start, st->time_base, AVRational{1, 1000}));
    }
    m.lastPictureMs = out->timeMs;
    m.Convert(out);
    av_frame_unref(m.frame);
    return !m.failed;
}

uint32_t CMovieDecoder::ReadAudio(int16_t* out, uint32_t frames) {
    SImpl& m = *m_Impl;
    if (!m.audio.codec) return 0;
    uint32_t done = 0;
    while (done < frames) {
        const size_t available = (m.pending.size() - m.pendingRead) / kAudioChannels;
        if (available > 0) {
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(available, frames - done));
            std::memcpy(out + static_cast<size_t>(done) * kAudioChannels, m.pending.data() + m.pendingRead,
                        static_cast<size_t>(n) * kAudioChannels * sizeof(int16_t));
            m.pendingRead += static_cast<size_t>(n) * kAudioChannels;
            done += n;
            continue;
        }
        m.pending.clear();
        m.pendingRead = 0;
        if (m.failed || (m.audio.ended && !m.resampler)) break;
        if (m.NextFrame(m.audio)) {
            m.Resample(false);
            av_frame_unref(m.frame);
        } else if (m.resampler && !m.failed) {
            m.Resample(true);
            swr_free(&m.resampler);  // drained: the end
        } else {
            break;
        }
    }
    return done;
}

bool CMovieDecoder::Rewind() {
    SImpl& m = *m_Impl;
    if (!m.format) return false;
    if (avformat_seek_file(m.format, -1, INT64_MIN, 0, 0, 0) < 0 &&
        av_seek_frame(m.format, -1, 0, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_BYTE) < 0) {
        return false;
    }
    for (SStream* s : {&m.video, &m.audio}) {
        if (s->codec) avcodec_flush_buffers(s->codec);
        s->flushed = s->ended = false;
    }
    swr_free(&m.resampler);
    m.pending.clear();
    m.pendingRead = 0;
    m.lastPictureMs = -1;
    m.eof = m.failed = false;
    return true;
}

bool CMovieDecoder::HasFailed() const { return m_Impl->failed; }
