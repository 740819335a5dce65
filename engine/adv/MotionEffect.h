#pragma once
// A motion effect animates one picture plane for a number of frames: it plays forward
// to bring the picture in, holds it plainly when stopped, and plays backwards
// (Finish) to take it away.  The base class owns the four-state machine and the plain
// drawing; each effect id is a small derived class with its counters and transform.
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"
#include "engine/draw/IImagePlane.h"
#include "engine/draw/SceneBase.h"

class CMotionEffect : public CSceneBase {
public:
    enum EState : int32_t { STATE_IDLE = 0, STATE_PLAYING = 1, STATE_STOPPED = 2, STATE_FINISHING = 3 };

    CMotionEffect() = default;
    ~CMotionEffect() override;
    CMotionEffect(const CMotionEffect&) = delete;
    CMotionEffect& operator=(const CMotionEffect&) = delete;

    void Load() override {}
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override {}

    // The plane is not owned.  A non-null plane sets the source rectangle to the whole
    // picture; a null one keeps the last rectangle.
    virtual void Attach(IImagePlane* plane);
    virtual IImagePlane* GetTarget() const { return m_Target; }
    virtual void Start();
    virtual void Finish();
    virtual void Stop();
    virtual void Initialize();
    virtual void SetParams(int32_t x, int32_t y) {
        m_X = x;
        m_Y = y;
    }
    // Held to 0..255.
    virtual void SetAlpha(int32_t alpha) { m_Alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha; }
    virtual void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
        m_Rect = SRect{left, top, right, bottom};
    }
    virtual void SetDuration(int32_t frames) { m_Duration = frames; }
    virtual bool IsActive() const { return m_State != STATE_IDLE; }
    virtual bool IsMoving() const { return m_State == STATE_PLAYING || m_State == STATE_FINISHING; }
    virtual bool IsPlaying() const { return m_State == STATE_PLAYING; }
    virtual bool IsFinishing() const { return m_State == STATE_FINISHING; }
    virtual SPoint GetParams() const { return SPoint{m_X, m_Y}; }
    virtual int32_t GetAlpha() const { return m_Alpha; }
    virtual SRect GetRect() const { return m_Rect; }
    virtual int32_t GetDuration() const { return m_Duration; }

    // Draws by state with the owner's matrix (its placement of the picture).
    virtual void DrawTransformed(const CMatrix4& matrix);

    int32_t GetState() const { return m_State; }

protected:
    virtual void OnStart() {}
    virtual void OnStopPlaying() {}
    virtual void OnFinish() {}
    virtual void OnStopFinishing() {}
    virtual void OnStop() {}
    virtual void OnInitialize() {}
    // One frame forward; true when the run is complete.
    virtual bool StepPlaying() { return true; }
    virtual void DrawPlaying(const CMatrix4& /*matrix*/) {}
    // One frame back; true when back at the start.
    virtual bool StepFinishing() { return true; }
    virtual void DrawFinishing(const CMatrix4& /*matrix*/) {}
    virtual void UpdateStopped() {}
    // The plane plainly at the position.
    virtual void DrawStopped(const CMatrix4& matrix);
    virtual void UpdateIdle() {}
    virtual void DrawIdle(const CMatrix4& /*matrix*/) {}

    // The plain draw with an opacity and an extra vertical offset: M' = M × T(x, y + dy).
    void _DrawPlaced(const CMatrix4& matrix, int32_t alpha, int32_t dy);
    // Draws the whole source rectangle with M' and (alpha << 24) | 0xFFFFFF.
    void _DrawWith(const CMatrix4& placed, int32_t alpha);
    // Sets the texture filter of the calling thread's renderer, when there is one.
    static void _SetTextureFilter(int32_t minFilter, int32_t magFilter);

    IImagePlane* m_Target = nullptr;
    int32_t m_State = STATE_IDLE;
    int32_t m_X = 0;
    int32_t m_Y = 0;
    int32_t m_Alpha = 255;
    SRect m_Rect{};
    int32_t m_Duration = 0;
};

// Draws the plane plainly while it plays and when stopped, nothing while finishing:
// the effect of every id outside 1 to 37.
class CMotionEffectPlain : public CMotionEffect {
protected:
    void DrawPlaying(const CMatrix4& matrix) override { DrawStopped(matrix); }
};

// The effects of ids 1 to 37: one to three linear progress counters that run over the
// duration, forward while playing and backward while finishing.
class CMotionEffectCounted : public CMotionEffect {
protected:
    // Adds the next progress counter (first, second, third) with its range.
    void _AddCounter(int32_t start, int32_t end);
    int32_t _Value(size_t index) const { return m_Counters[index].GetValue(); }

    void OnStart() override;
    void OnFinish() override;
    bool StepPlaying() override;
    bool StepFinishing() override;
    void DrawFinishing(const CMatrix4& matrix) override { DrawPlaying(matrix); }

private:
    struct SRange {
        int32_t start;
        int32_t end;
    };
    std::array<CCounterLinear, 3> m_Counters;
    std::array<SRange, 3> m_Ranges{};
    size_t m_CounterCount = 0;
};
