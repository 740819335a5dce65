#include "engine/sound/WaveDecoder.h"

#include <algorithm>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/file/PakFormat.h"

namespace {

using pak::GetU16;
using pak::GetU32;

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool CWaveDecoder::Open(std::unique_ptr<IFileObject> file, const std::string& name) {
    m_File.reset();
    m_Frames = m_Pos = 0;
    m_Failed = false;
    if (!file || !file->IsOpen()) return false;
    const int64_t size = file->GetSize();
    uint8_t head[12];
    file->Seek(0);
    if (size < 12 || file->Read(head, 12, 1) != 1 || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0) {
        DebugPrintf("CWaveDecoder::Open() RIFF WAVEファイルではありません[%s]", name.c_str());
        return false;
    }
    bool haveFormat = false;
    bool haveData = false;
    int64_t dataOffset = 0;
    uint32_t dataSize = 0;
    int64_t pos = 12;
    while (pos + 8 <= size && !(haveFormat && haveData)) {
        uint8_t ch[8];
        if (!file->Seek(pos) || file->Read(ch, 8, 1) != 1) break;
        uint32_t chunkSize = GetU32(ch + 4);
        int64_t body = pos + 8;
        int64_t left = size - body;
        if (std::memcmp(ch, "fmt ", 4) == 0) {
            uint8_t fmt[40] = {};
            if (chunkSize < 16 || static_cast<int64_t>(chunkSize) > left) {
                DebugPrintf("CWaveDecoder::Open() fmtチャンクが壊れています[%s]", name.c_str());
                return false;
            }
            size_t want = std::min<size_t>(chunkSize, sizeof(fmt));
            if (file->Read(fmt, want, 1) != 1) {
                DebugPrintf("CWaveDecoder::Open() fmtチャンクが読めません[%s]", name.c_str());
                return false;
            }
            uint16_t tag = GetU16(fmt);
            // WAVE_FORMAT_EXTENSIBLE is PCM when its sub-format GUID starts with 1.
            if (tag == kFormatExtensible && chunkSize >= 40 && GetU16(fmt + 24) == kFormatPcm) tag = kFormatPcm;
            m_Format.channels = GetU16(fmt + 2);
            m_Format.rate = GetU32(fmt + 4);
            uint16_t blockAlign = GetU16(fmt + 12);
            m_Format.bits = GetU16(fmt + 14);
            if (tag != kFormatPcm || !m_Format.IsValid() || blockAlign != m_Format.BlockAlign()) {
                DebugPrintf("CWaveDecoder::Open() 対応していない形式です[%s][format:%u ch:%u bits:%u rate:%u]",
                            name.c_str(), static_cast<unsigned>(tag), static_cast<unsigned>(m_Format.channels),
                            static_cast<unsigned>(m_Format.bits), static_cast<unsigned>(m_Format.rate));
                return false;
            }
            haveFormat = true;
        } else if (std::memcmp(ch, "data", 4) == 0) {
            if (static_cast<int64_t>(chunkSize) > left) {
                DebugPrintf("CWaveDecoder::Open() dataチャンクが途中で切れています[%s][size:%u left:%lld]",
                            name.c_str(), chunkSize, static_cast<long long>(left));
                return false;
            }
            haveData = true;
            dataOffset = body;
            dataSize = chunkSize;
        }
        pos = body + static_cast<int64_t>(chunkSize) + (chunkSize & 1);
    }
    if (!haveFormat || !haveData) {
        DebugPrintf("CWaveDecoder::Open() %sチャンクがありません[%s]", haveFormat ? "data" : "fmt ", name.c_str());
        return false;
    }
    m_Frames = dataSize / m_Format.BlockAlign();
    if (m_Frames == 0) {
        DebugPrintf("CWaveDecoder::Open() 波形データが空です[%s]", name.c_str());
        return false;
    }
    m_DataOffset = dataOffset;
    m_File = std::move(file);
    m_File->Seek(m_DataOffset);
    return true;
}

uint32_t CWaveDecoder::Read(void* out, uint32_t frames) {
    if (!m_File || m_Failed || m_Pos >= m_Frames) return 0;
    uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(frames, m_Frames - m_Pos));
    uint32_t align = m_Format.BlockAlign();
    size_t got = m_File->Read(out, align, n);
    if (got < n) m_Failed = true;
    m_Pos += got;
    return static_cast<uint32_t>(got);
}

bool CWaveDecoder::SeekFrame(uint64_t frame) {
    if (!m_File) return false;
    m_Pos = std::min(frame, m_Frames);
    return m_File->Seek(m_DataOffset + static_cast<int64_t>(m_Pos * m_Format.BlockAlign()));
}
