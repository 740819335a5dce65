#include "game/stage/talk/TalkMotion.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "engine/file/TextReader.h"

namespace {

constexpr int kFieldCount = 8;

int32_t ClampAlpha(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// A scale factor in 65535ths, truncated toward zero and held to the int range.
int32_t ScaleUnits(float scale) {
    double v = std::trunc(static_cast<double>(scale) * 65535.0);
    if (!(v == v)) {
        return 0;
    }
    return static_cast<int32_t>(std::clamp(v, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

float ScaleOf(float target) {
    return static_cast<float>(static_cast<double>(target) * 65535.0 * static_cast<double>(CTalkMotion::kScaleUnit));
}

int32_t AddClamped(int32_t a, int32_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(a) + b, INT32_MIN, INT32_MAX));
}

// The key layouts: which fields after the name hold the centres, the start, the frames
// and the curve (-1: none).
struct SLayout {
    const char* name;
    int32_t kind;
    int centreX;
    int centreY;
    int start;
};

constexpr SLayout kLayouts[] = {
    {"pos_x", CTalkMotion::KEY_POS_X, -1, -1, 2},     {"pos_y", CTalkMotion::KEY_POS_Y, -1, -1, 2},
    {"bright", CTalkMotion::KEY_ALPHA, -1, -1, 2},    {"rotate", CTalkMotion::KEY_ROTATE, 2, 3, 4},
    {"scale", CTalkMotion::KEY_SCALE, 2, 3, 4},       {"scale_x", CTalkMotion::KEY_SCALE_X, 2, -1, 3},
    {"scale_y", CTalkMotion::KEY_SCALE_Y, -1, 2, 3},
};

constexpr const char kRelative[] = "relative_";

}  // namespace

int32_t CTalkMotion::ParseInt(const std::string& field) {
    const char* s = field.c_str();
    char* end = nullptr;
    long long v = std::strtoll(s, &end, 10);
    if (end == s) {
        return 0;
    }
    return static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

float CTalkMotion::ParseFloat(const std::string& field) {
    const char* s = field.c_str();
    char* end = nullptr;
    float v = std::strtof(s, &end);
    if (end == s || !std::isfinite(v)) {
        return 0.0f;
    }
    return v;
}

void CTalkMotion::Parse(const std::string& text, SSize size, STalkTransform* running) {
    CTextReader reader;
    reader.SetText(text);
    std::string fields[kFieldCount];
    while (reader.ReadLine(kFieldCount, fields)) {
        _ParseLine(fields, size, running);
    }
}

bool CTalkMotion::_ParseLine(const std::string* fields, SSize size, STalkTransform* running) {
    std::string name = fields[0];
    const bool relative = name.compare(0, sizeof(kRelative) - 1, kRelative) == 0;
    if (relative) {
        name.erase(0, sizeof(kRelative) - 1);
    }
    const SLayout* layout = nullptr;
    for (const SLayout& l : kLayouts) {
        if (name == l.name) {
            layout = &l;
        }
    }
    if (!layout) {
        return false;
    }
    auto centre = [&](int index, int32_t half) {
        return fields[index] == "center" ? half / 2 : ParseInt(fields[index]);
    };
    SKey key;
    key.kind = layout->kind;
    if (layout->centreX >= 0) key.centreX = centre(layout->centreX, size.cx);
    if (layout->centreY >= 0) key.centreY = centre(layout->centreY, size.cy);
    key.start = ParseInt(fields[layout->start]);
    const int32_t frames = ParseInt(fields[layout->start + 1]);
    const std::string& curve = fields[layout->start + 2];
    // "bezier" has no curve of its own: it runs linearly like every other word.
    if (curve == "quadratic") {
        key.counter = std::make_unique<CCounterAccel>();
    } else {
        key.counter = std::make_unique<CCounterLinear>();
    }
    // The quadratic counter reads the direction from the sign; the others take |frames|.
    const int32_t steps = frames == INT32_MIN ? INT32_MAX : frames;

    const bool isScale = key.kind == KEY_SCALE || key.kind == KEY_SCALE_X || key.kind == KEY_SCALE_Y;
    if (isScale) {
        float to = ParseFloat(fields[1]);
        float from = key.kind == KEY_SCALE_Y ? running->scaleY : running->scaleX;
        if (relative) to += from;
        key.counter->Set(ScaleUnits(from), ScaleUnits(to), steps);
        const float next = ScaleOf(to);
        if (key.kind != KEY_SCALE_Y) running->scaleX = next;
        if (key.kind != KEY_SCALE_X) running->scaleY = next;
        if (key.kind != KEY_SCALE_Y) running->scaleCentre.x = key.centreX;
        if (key.kind != KEY_SCALE_X) running->scaleCentre.y = key.centreY;
    } else {
        int32_t* value = nullptr;
        switch (key.kind) {
            case KEY_POS_X: value = &running->position.x; break;
            case KEY_POS_Y: value = &running->position.y; break;
            case KEY_ROTATE: value = &running->rotation; break;
            default: value = &running->alpha; break;
        }
        int32_t to = ParseInt(fields[1]);
        if (relative) to = AddClamped(*value, to);
        key.counter->Set(*value, to, steps);
        *value = to;
        if (key.kind == KEY_ROTATE) running->rotationCentre = SPoint{key.centreX, key.centreY};
    }
    m_Keys.push_back(std::move(key));
    return true;
}

void CTalkMotion::Play(bool loop) {
    m_Playing = true;
    m_Loop = loop;
    m_Frame = 0;
}

void CTalkMotion::Stop(STalkTransform* target) {
    if (m_Playing && !m_Loop) {
        // Running the remaining frames one by one leaves each key on its last value, and
        // the key that ends latest (the later in the list among equals) has the last
        // word.  Applying the end values in that order gives the same result at once,
        // however far away a key's window lies.
        std::vector<const SKey*> pending;
        for (const SKey& key : m_Keys) {
            if (key.End() >= m_Frame) pending.push_back(&key);
        }
        std::stable_sort(pending.begin(), pending.end(),
                         [](const SKey* a, const SKey* b) { return a->End() < b->End(); });
        for (const SKey* key : pending) {
            key->counter->SetStep(key->counter->GetTotal());
            _ApplyValue(*key, key->counter->GetValue(), target);
        }
    }
    m_Playing = false;
}

void CTalkMotion::Clear(STalkTransform* target) {
    Stop(target);
    m_Keys.clear();
}

void CTalkMotion::Step(STalkTransform* target) {
    // A loop restarts at most once per update: the restarted pass begins at frame 0.
    for (int pass = 0; pass < 2 && m_Playing; ++pass) {
        const bool complete = _Apply(target);
        if (m_Frame < INT32_MAX) ++m_Frame;
        if (!complete) {
            return;
        }
        const int32_t covered = m_Frame;
        if (!m_Loop) {
            m_Playing = false;
            return;
        }
        Play(true);
        if (covered <= 1) {
            return;
        }
    }
}

bool CTalkMotion::_Apply(STalkTransform* target) {
    bool complete = true;
    for (SKey& key : m_Keys) {
        if (m_Frame < key.start) {
            complete = false;
            continue;
        }
        if (m_Frame > key.End()) {
            continue;
        }
        key.counter->SetStep(static_cast<int32_t>(static_cast<int64_t>(m_Frame) - key.start));
        complete = false;
        _ApplyValue(key, key.counter->GetValue(), target);
    }
    return complete;
}

void CTalkMotion::_ApplyValue(const SKey& key, int32_t v, STalkTransform* t) {
    const float scale = static_cast<float>(v) * kScaleUnit;
    switch (key.kind) {
        case KEY_POS_X: t->position.x = v; break;
        case KEY_POS_Y: t->position.y = v; break;
        case KEY_SCALE:
            t->scaleX = t->scaleY = scale;
            t->scaleCentre = SPoint{key.centreX, key.centreY};
            break;
        case KEY_SCALE_X:
            t->scaleX = scale;
            t->scaleCentre.x = key.centreX;
            break;
        case KEY_SCALE_Y:
            t->scaleY = scale;
            t->scaleCentre.y = key.centreY;
            break;
        case KEY_ROTATE:
            t->rotation = v;
            t->rotationCentre = SPoint{key.centreX, key.centreY};
            break;
        case KEY_ALPHA: t->alpha = ClampAlpha(v); break;
        default: break;
    }
}
