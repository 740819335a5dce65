#pragma once
// An integer value moved from a start to an end value over a whole number of steps
// along a curve.  At step 0 the value is exactly the start, at the last step exactly
// the end.
#include <cstdint>

class CCounter {
public:
    CCounter() = default;
    virtual ~CCounter() = default;

    // Stores both ends, takes |steps| as the step count (0 counts as 1) and moves to
    // step 0.  Curves with a direction read it from the sign of `steps`.
    virtual void Set(int32_t start, int32_t end, int32_t steps);
    // Moves to step |step|, held to 0..total, and recomputes.
    void SetStep(int32_t step);
    // One step forward unless at the end / one back unless at the start.
    void Next();
    void Prev();

    bool IsStart() const { return m_Step == 0; }
    // A counter never set has total 0 and counts as at its end.
    bool IsEnd() const { return m_Step == m_Total; }
    bool IsAtEnd() const { return IsEnd(); }

    int32_t GetValue() const { return m_Value; }
    int32_t GetStep() const { return m_Step; }
    int32_t GetTotal() const { return m_Total; }
    int32_t GetStart() const { return m_Start; }
    int32_t GetEnd() const { return m_End; }

protected:
    void _Recompute();
    // The curve's value at a step strictly between 0 and total.
    virtual int32_t _Curve(int32_t step) const = 0;

    int32_t m_Start = 0;
    int32_t m_End = 0;
    int32_t m_Step = 0;
    int32_t m_Total = 0;
    int32_t m_Value = 0;
};

// start + (end − start) × step / total in integers, truncated toward zero.
class CCounterLinear : public CCounter {
protected:
    int32_t _Curve(int32_t step) const override;
};

// The quadratic curve.  steps ≥ 0 runs forward from the start, easing in:
// value = s² × (end − start) / steps² + start.  steps < 0 runs reversed over
// N = −steps, easing out: value = (N − s)² × (start − end) / N² + end.  Computed in
// doubles and truncated toward zero.
class CCounterAccel : public CCounter {
public:
    void Set(int32_t start, int32_t end, int32_t steps) override;
    bool IsReversed() const { return m_Reversed; }

protected:
    int32_t _Curve(int32_t step) const override;

private:
    double m_Range = 0.0;
    int32_t m_Base = 0;
    bool m_Reversed = false;
};

// The sine curve.  steps > 0: start + (end − start) × sin(90° × s / steps);
// steps < 0 over N = −steps: end + (start − end) × sin(90° × (N − s) / N).
class CCounterSin : public CCounter {
public:
    void Set(int32_t start, int32_t end, int32_t steps) override;

protected:
    int32_t _Curve(int32_t step) const override;

private:
    bool m_Reversed = false;
};

// The logarithmic curve: start + (end − start) × log10(1 + 9 × s / steps).  It
// rises fast and flattens toward the end, which is how loudness is heard: the movie
// volume 0..1000 goes through Set(−10000, 0, 1000) and SetStep(volume) to hundredths
// of a decibel (500 gives about −2,600, 100 about −7,200).
class CCounterLog : public CCounter {
protected:
    int32_t _Curve(int32_t step) const override;
};
