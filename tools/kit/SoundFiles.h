#pragma once
// Sound files made from code: 16-bit PCM, RIFF WAVE written byte by byte and Ogg
// Vorbis encoded with libvorbisenc (when the build has it).
#include <cstdint>
#include <string>
#include <vector>

namespace kit {

// Deterministic 16-bit samples (interleaved), a mix of tones and noise.
std::vector<int16_t> MakePcm16(uint32_t seed, uint32_t frames, int channels);
std::vector<uint8_t> ToBytes(const std::vector<int16_t>& pcm);
// A RIFF WAVE file around the PCM bytes; `extraChunk` puts an odd-sized LIST chunk first.
std::vector<uint8_t> MakeWave(const std::vector<uint8_t>& pcm, int channels, int bits, uint32_t rate,
                              bool extraChunk = false, uint16_t formatTag = 1);
// A short 44.1 kHz stereo WAVE sound of `ms` milliseconds (the decoders read the kind
// from the first bytes, so it may stand in for an ".ogg" name).
std::vector<uint8_t> MakeShortWave(uint32_t seed, uint32_t ms);
// True when EncodeOgg can encode in this build.
bool CanEncodeOgg();
// Encodes 16-bit PCM as Ogg Vorbis; empty when it cannot.
std::vector<uint8_t> EncodeOgg(const std::vector<int16_t>& pcm, int channels, uint32_t rate);
// Rewrites the granule position of the last Ogg page (and its checksum): the length
// a crafted file claims.  The file needs more than one audio page.
std::vector<uint8_t> WithLastGranule(std::vector<uint8_t> ogg, uint64_t granule);

}  // namespace kit
