#include "tools/kit/SoundFiles.h"

#include <ogg/ogg.h>
#ifdef NIWA_KIT_OGG
#include <vorbis/vorbisenc.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace kit {

std::vector<int16_t> MakePcm16(uint32_t seed, uint32_t frames, int channels) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-2000, 2000);
    std::vector<int16_t> v(static_cast<size_t>(frames) * channels);
    for (uint32_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            double t = static_cast<double>(i) / 44100.0;
            double s = 12000.0 * std::sin(2 * M_PI * (440.0 + 110.0 * c) * t) + 6000.0 * std::sin(2 * M_PI * 97.0 * t);
            v[static_cast<size_t>(i) * channels + c] = static_cast<int16_t>(s + noise(rng));
        }
    }
    return v;
}

std::vector<uint8_t> ToBytes(const std::vector<int16_t>& pcm) {
    std::vector<uint8_t> b(pcm.size() * 2);
    for (size_t i = 0; i < pcm.size(); ++i) {
        b[2 * i] = static_cast<uint8_t>(pcm[i] & 0xFF);
        b[2 * i + 1] = static_cast<uint8_t>((static_cast<uint16_t>(pcm[i]) >> 8) & 0xFF);
    }
    return b;
}

namespace {
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void PutTag(std::vector<uint8_t>& v, const char* t) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(t[i]));
}
}  // namespace

std::vector<uint8_t> MakeWave(const std::vector<uint8_t>& pcm, int channels, int bits, uint32_t rate, bool extraChunk,
                              uint16_t formatTag) {
    std::vector<uint8_t> body;
    PutTag(body, "WAVE");
    if (extraChunk) {
        PutTag(body, "LIST");
        Put32(body, 5);
        body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 0});  // odd size, padded
    }
    PutTag(body, "fmt ");
    Put32(body, 16);
    Put16(body, formatTag);
    Put16(body, static_cast<uint16_t>(channels));
    Put32(body, rate);
    Put32(body, rate * channels * bits / 8);
    Put16(body, static_cast<uint16_t>(channels * bits / 8));
    Put16(body, static_cast<uint16_t>(bits));
    PutTag(body, "data");
    Put32(body, static_cast<uint32_t>(pcm.size()));
    body.insert(body.end(), pcm.begin(), pcm.end());
    std::vector<uint8_t> file;
    PutTag(file, "RIFF");
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> MakeShortWave(uint32_t seed, uint32_t ms) {
    return MakeWave(ToBytes(MakePcm16(seed, 44100u * ms / 1000u, 2)), 2, 16, 44100);
}

bool CanEncodeOgg() {
#ifdef NIWA_KIT_OGG
    return true;
#else
    return false;
#endif
}

std::vector<uint8_t> EncodeOgg(const std::vector<int16_t>& pcm, int channels, uint32_t rate) {
#ifndef NIWA_KIT_OGG
    (void)pcm;
    (void)channels;
    (void)rate;
    return {};
#else
    std::vector<uint8_t> out;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, static_cast<long>(rate), 0.3f) != 0) return out;
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1234);
    ogg_packet h0, h1, h2;
    vorbis_analysis_headerout(&vd, &vc, &h0, &h1, &h2);
    ogg_stream_packetin(&os, &h0);
    ogg_stream_packetin(&os, &h1);
    ogg_stream_packetin(&os, &h2);
    ogg_page og;
    auto emit = [&](const ogg_page& p) {
        out.insert(out.end(), p.header, p.header + p.header_len);
        out.insert(out.end(), p.body, p.body + p.body_len);
    };
    while (ogg_stream_flush(&os, &og)) emit(og);
    const size_t frames = pcm.size() / channels;
    size_t pos = 0;
    bool eos = false;
    while (!eos) {
        size_t n = std::min<size_t>(4096, frames - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c) buf[c][i] = pcm[(pos + i) * channels + c] / 32768.0f;
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) {
                    emit(og);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
        if (n == 0 && !eos) {
            while (ogg_stream_flush(&os, &og)) {
                emit(og);
                if (ogg_page_eos(&og)) eos = true;
            }
            eos = true;
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
#endif
}

std::vector<uint8_t> WithLastGranule(std::vector<uint8_t> ogg, uint64_t granule) {
    size_t last = 0;
    for (size_t i = 0; i + 27 <= ogg.size(); ++i) {
        if (std::memcmp(&ogg[i], "OggS", 4) == 0) last = i;
    }
    for (int k = 0; k < 8; ++k) ogg[last + 6 + k] = static_cast<uint8_t>(granule >> (8 * k));
    for (int k = 0; k < 4; ++k) ogg[last + 22 + k] = 0;
    ogg_page page;
    page.header = &ogg[last];
    page.header_len = 27 + ogg[last + 26];
    page.body = &ogg[last] + page.header_len;
    page.body_len = static_cast<long>(ogg.size() - last) - page.header_len;
    ogg_page_checksum_set(&page);
    return ogg;
}

}  // namespace kit
