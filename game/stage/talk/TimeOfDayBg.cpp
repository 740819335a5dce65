#include "game/stage/talk/TimeOfDayBg.h"

#include <algorithm>

#include "game/core/RunningGame.h"
#include "game/stage/talk/TalkEnvironment.h"

namespace {

struct STimeFiles {
    const char* base;
    const char* extra;
    const char* strips[CTimeOfDayBg::kStripCount];
};

constexpr STimeFiles kFiles[3] = {
    {"bg\\bg13m.bmp",
     "bg\\bg130em.bmp",
     {"bg\\bg130am.bmp", "bg\\bg130bm.bmp", "bg\\bg130cm.bmp", "bg\\bg130dm.bmp", "bg\\bg130emt.bmp"}},
    {"bg\\bg13e.bmp",
     "bg\\bg130ee.bmp",
     {"bg\\bg130ae.bmp", "bg\\bg130be.bmp", "bg\\bg130ce.bmp", "bg\\bg130de.bmp", "bg\\bg130eet.bmp"}},
    {"bg\\bg13n.bmp",
     "bg\\bg130en.bmp",
     {"bg\\bg130an.bmp", "bg\\bg130bn.bmp", "bg\\bg130cn.bmp", "bg\\bg130dn.bmp", "bg\\bg130ent.bmp"}},
};

// Updates per frame change of strips a, b, c, d and e-t.
constexpr int32_t kSteps[CTimeOfDayBg::kStripCount] = {200, 180, 3, 250, 250};

constexpr int kStatusCategory = 14;

// How the previous frame fades out under the current one.
enum EFadeOut { FADE_NONE, FADE_LINEAR, FADE_DOUBLE };

struct SDetail {
    int statusIndex;
    int strip;
    int32_t x;
    int32_t y;
    EFadeOut fadeOut;
};

// In drawing order.
constexpr SDetail kDetails[] = {
    {40, CTimeOfDayBg::STRIP_C, 616, 352, FADE_NONE},   {37, CTimeOfDayBg::STRIP_D, 0, 72, FADE_NONE},
    {41, CTimeOfDayBg::STRIP_ET, 344, 0, FADE_LINEAR},  {50, CTimeOfDayBg::STRIP_B, 32, 416, FADE_DOUBLE},
    {57, CTimeOfDayBg::STRIP_A, 416, 424, FADE_DOUBLE},
};
constexpr int kExtraStatusIndex = 41;
constexpr int32_t kExtraX = 192;
constexpr int32_t kExtraY = 280;

int32_t PreviousAlpha(EFadeOut fade, int32_t v) {
    switch (fade) {
        case FADE_LINEAR: return std::min(255 - v, 255);
        case FADE_DOUBLE: return std::min(2 * (255 - v), 255);
        default: return 255;
    }
}

}  // namespace

void CTimeOfDayBg::Load(int32_t time) {
    m_Frame.fill(0);
    if (time < 0 || time > 2) {
        return;
    }
    const STimeFiles& files = kFiles[time];
    m_Base.Load(files.base);
    m_Extra.Load(files.extra);
    for (int i = 0; i < kStripCount; ++i) {
        m_Strips[i].Load(files.strips[i]);
        // A missing strip leaves its detail invisible rather than cut from a stale size.
        if (!m_Cells[i].Set(&m_Strips[i], 3, 1)) m_Cells[i].Clear();
    }
}

void CTimeOfDayBg::Release() {
    m_Base.Release();
    for (int i = 0; i < kStripCount; ++i) {
        m_Cells[i].Clear();
        m_Strips[i].Release();
    }
}

void CTimeOfDayBg::Update() {
    for (int i = 0; i < kStripCount; ++i) {
        m_Fade[i].Next();
        if (m_Fade[i].IsEnd()) {
            m_Frame[i] = m_Frame[i] == 2 ? 0 : m_Frame[i] + 1;
            m_Fade[i].Set(0, 255, kSteps[i]);
        }
    }
}

void CTimeOfDayBg::Draw() {
    m_Base.Draw(0, 0, 0xFFFFFFFFu);
    if (!GetTalkSystemData()) {
        return;
    }
    const bool effects = IsTalkEffectsOn();
    for (const SDetail& d : kDetails) {
        if (GetRunningParam(kStatusCategory, d.statusIndex) == 0) {
            continue;
        }
        if (d.statusIndex == kExtraStatusIndex) {
            m_Extra.Draw(kExtraX, kExtraY, 0xFFFFFFFFu);
        }
        const CCellImage& cells = m_Cells[static_cast<size_t>(d.strip)];
        if (!cells.GetPlane()) {
            continue;
        }
        if (!effects) {
            cells.DrawCell(0, 0, d.x, d.y, 0xFFFFFFFFu);
            continue;
        }
        const int32_t f = m_Frame[static_cast<size_t>(d.strip)];
        const int32_t p = f == 0 ? 2 : f - 1;
        const int32_t v = m_Fade[static_cast<size_t>(d.strip)].GetValue();
        cells.DrawCell(p, 0, d.x, d.y, TalkAlphaColour(PreviousAlpha(d.fadeOut, v)));
        cells.DrawCell(f, 0, d.x, d.y, TalkAlphaColour(v));
    }
}
