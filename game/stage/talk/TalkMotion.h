#pragma once
// The key-text motion of a talk picture: lines such as "pos_x, 100, 0, 30" become keys,
// each a counter that moves one value of the picture's transform over a window of
// motion frames.  Keys run in parallel; within a frame a later key of the same kind wins.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Counter.h"
#include "platform/sys/Geometry.h"

// The transform a picture is drawn with.
struct STalkTransform {
    SPoint position;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SPoint scaleCentre;
    int32_t rotation = 0;
    SPoint rotationCentre;
    int32_t alpha = 255;
};

class CTalkMotion {
public:
    // The float nearest to 1/65535: scale keys count in 65535ths of the natural size.
    static constexpr float kScaleUnit = 1.0f / 65535.0f;

    enum EKeyKind : int32_t {
        KEY_POS_X = 0,
        KEY_POS_Y = 1,
        KEY_SCALE = 2,
        KEY_SCALE_X = 3,
        KEY_SCALE_Y = 4,
        KEY_ROTATE = 5,
        KEY_ALPHA = 6,
    };

    // Appends the keys of the text.  `running` starts as the picture's values and ends
    // on the last targets; `size` gives what "center" stands for.
    void Parse(const std::string& text, SSize size, STalkTransform* running);
    // Restarts from motion frame 0 (the caller stops the old run first).
    void Play(bool loop);
    // A non-looping motion jumps to its end (every key at its final value); then stops.
    void Stop(STalkTransform* target);
    // Stop, then drops every key.
    void Clear(STalkTransform* target);
    // One motion frame, while playing.
    void Step(STalkTransform* target);

    bool IsPlaying() const { return m_Playing; }
    bool IsLooping() const { return m_Loop; }
    int32_t GetFrame() const { return m_Frame; }
    size_t GetKeyCount() const { return m_Keys.size(); }

    // A field read as "%d" reads it (blanks, a sign, digits); 0 when it holds no number.
    static int32_t ParseInt(const std::string& field);
    static float ParseFloat(const std::string& field);

private:
    struct SKey {
        int32_t kind = 0;
        std::unique_ptr<CCounter> counter;
        int32_t centreX = 0;
        int32_t centreY = 0;
        int32_t start = 0;
        int64_t End() const { return static_cast<int64_t>(start) + counter->GetTotal(); }
    };

    bool _ParseLine(const std::string* fields, SSize size, STalkTransform* running);
    // One pass over the keys at the current frame; true when every key is done.
    bool _Apply(STalkTransform* target);
    static void _ApplyValue(const SKey& key, int32_t v, STalkTransform* target);

    std::vector<SKey> m_Keys;
    bool m_Playing = false;
    bool m_Loop = false;
    int32_t m_Frame = 0;
};
