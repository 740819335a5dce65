#include "game/core/StageSnapshot.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/base/Log.h"

namespace {

// Every int's float lies within ±2^31; past it a float is no int the stage ever had.
constexpr float kIntFloatLimit = 2147483648.0f;
// A script gives a scale in thousandths of an int: at most 2147483.647 either way.
constexpr float kScaleLimit = 2147484.0f;
// The motion values' scales (bit patterns of floats) are words 3 and 4 of ten.
constexpr size_t kMotionScaleX = 3, kMotionScaleY = 4, kMotionValueCount = 10;

bool _Within(float v, float limit) { return std::isfinite(v) && std::fabs(v) <= limit; }

}  // namespace

int32_t LayerPlacementInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= kIntFloatLimit) return INT32_MAX;
    if (value <= -kIntFloatLimit) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool SLayerRecord::IsPlacementInRange() const {
    for (float v : {x, y, scaleCenterX, scaleCenterY, rotation, rotationCenterX, rotationCenterY}) {
        if (!_Within(v, kIntFloatLimit)) return false;
    }
    if (!_Within(scaleX, kScaleLimit) || !_Within(scaleY, kScaleLimit)) return false;
    if (motionValues.size() >= kMotionValueCount) {
        for (size_t i : {kMotionScaleX, kMotionScaleY}) {
            if (!_Within(std::bit_cast<float>(motionValues[i]), kScaleLimit)) return false;
        }
    }
    return true;
}

void SLayerRecord::Serialize(CDataFile& df) {
    df.Io(id);
    df.Io(kind);
    df.Io(file);
    serial::IoVector(df, args);
    df.Io(x);
    df.Io(y);
    df.Io(scaleX);
    df.Io(scaleY);
    df.Io(scaleCenterX);
    df.Io(scaleCenterY);
    df.Io(rotation);
    df.Io(rotationCenterX);
    df.Io(rotationCenterY);
    df.Io(level);
    df.Io(shown);
    df.Io(motionText);
    df.Io(motionRunning);
    df.Io(motionLoop);
    serial::IoVector(df, motionValues);
    if (df.IsLoading() && !df.HasFailed() && !IsPlacementInRange()) {
        DebugPrintf("SLayerRecord::Serialize() レイヤーの配置が範囲外です[id:%d x:%g y:%g]", id, static_cast<double>(x),
                    static_cast<double>(y));
        df.Refuse();
    }
}

void SBalloonRecord::Serialize(CDataFile& df) {
    df.Io(shown);
    line.Serialize(df);
    serial::IoVector(df, settings);
}

void SSoundSlotRecord::Serialize(CDataFile& df) {
    df.Io(playing);
    df.Io(listFlag);
    df.Io(source);
    df.Io(volume);
    df.Io(pan);
    df.Io(position);
}

void CStageSnapshot::Reset() { *this = CStageSnapshot(); }

SSoundSlotRecord* CStageSnapshot::GetSoundSlot(int group, int slot) {
    return const_cast<SSoundSlotRecord*>(static_cast<const CStageSnapshot*>(this)->GetSoundSlot(group, slot));
}

const SSoundSlotRecord* CStageSnapshot::GetSoundSlot(int group, int slot) const {
    if (group < 0 || group >= kSoundGroups || slot < 0 || slot >= kSoundSlots) {
        DebugPrintf("CStageSnapshot::GetSoundSlot() 範囲外です[%d, %d]", group, slot);
        return nullptr;
    }
    return &m_SoundSlots[static_cast<size_t>(group * kSoundSlots + slot)];
}

SBalloonRecord* CStageSnapshot::GetBalloon(int index) {
    if (index < 0 || index >= kBalloonCount) {
        DebugPrintf("CStageSnapshot::GetBalloon() 範囲外です[%d]", index);
        return nullptr;
    }
    return &m_Balloons[static_cast<size_t>(index)];
}

void CStageSnapshot::Serialize(CDataFile& df) {
    df.Io(m_ScriptName);
    df.Io(m_RecordId);
    df.Io(m_WaitFrames);
    serial::IoArray(df, m_WaitFlags);
    df.Io(m_WindowShown);
    df.Io(m_PanelPicture);
    df.Io(m_PanelEventId);
    for (SBalloonRecord& b : m_Balloons) {
        b.Serialize(df);
        if (df.HasFailed()) return;
    }
    // A layer takes at least its fixed fields (ids, floats, flags, four lengths).
    serial::IoRecords(df, m_Layers, 4 * 2 + 4 * 9 + 4 + 3 + 4 * 4);
    df.Io(m_EffectOn);
    df.Io(m_EffectKind);
    serial::IoRecords(df, m_Log, 4 * 3 + 4 * 2);
    for (SSoundSlotRecord& s : m_SoundSlots) {
        s.Serialize(df);
        if (df.HasFailed()) return;
    }
}
