#include "game/raising/event/EventDraw.h"

#include <array>
#include <memory>
#include <utility>

#include "engine/base/Random.h"

namespace {

struct SSource {
    std::unique_ptr<CRandom> generator;
    CEventDrawOverride::DrawFunction override;
};

std::array<SSource, EVENT_DRAW_COUNT>& _Sources() {
    static std::array<SSource, EVENT_DRAW_COUNT> sources;
    return sources;
}

}  // namespace

uint32_t EventDraw(EEventDraw source, uint32_t n) {
    SSource& s = _Sources()[static_cast<size_t>(source)];
    if (s.override) {
        return n == 0 ? 0 : s.override(n) % n;
    }
    if (!s.generator) {
        s.generator = std::make_unique<CRandom>();
    }
    return s.generator->Random(n);
}

CEventDrawOverride::CEventDrawOverride(EEventDraw source, DrawFunction draw) : m_Source(source) {
    m_Previous = std::exchange(_Sources()[static_cast<size_t>(source)].override, std::move(draw));
}

CEventDrawOverride::~CEventDrawOverride() {
    _Sources()[static_cast<size_t>(m_Source)].override = std::move(m_Previous);
}
