#include "engine/base/Counter.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

void CCounter::Set(int32_t start, int32_t end, int32_t steps) {
    m_Start = start;
    m_End = end;
    int64_t total = std::llabs(static_cast<int64_t>(steps));
    m_Total = total == 0 ? 1 : static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total);
    m_Step = 0;
    _Recompute();
}

void CCounter::SetStep(int32_t step) {
    int64_t s = std::llabs(static_cast<int64_t>(step));
    m_Step = static_cast<int32_t>(s > m_Total ? m_Total : s);
    _Recompute();
}

void CCounter::Next() {
    if (m_Step < m_Total) {
        ++m_Step;
        _Recompute();
    }
}

void CCounter::Prev() {
    if (m_Step > 0) {
        --m_Step;
        _Recompute();
    }
}

void CCounter::_Recompute() {
    if (m_Step < 0) {
        m_Step = 0;
    }
    if (m_Step > m_Total) {
        m_Step = m_Total;
    }
    if (m_Step == 0) {
        m_Value = m_Start;
    } else if (m_Step == m_Total) {
        m_Value = m_End;
    } else {
        m_Value = _Curve(m_Step);
    }
}

int32_t CCounterLinear::_Curve(int32_t step) const {
    // 64-bit product: the same truncated quotient without overflow.
    int64_t v = static_cast<int64_t>(m_Start) +
                (static_cast<int64_t>(m_End) - m_Start) * step / m_Total;
    return static_cast<int32_t>(v);
}

void CCounterAccel::Set(int32_t start, int32_t end, int32_t steps) {
    m_Reversed = steps < 0;
    m_Range = m_Reversed ? static_cast<double>(start) - end : static_cast<double>(end) - start;
    m_Base = m_Reversed ? end : start;
    CCounter::Set(start, end, steps);
}

int32_t CCounterAccel::_Curve(int32_t step) const {
    // range × s² / N² rather than s² × (range / N²): the products are exact in a
    // double, so a step whose value is a whole number truncates to that number
    // (0 → 116 over 10 steps gives 29 at step 5, not 28.999… → 28).
    double s = m_Reversed ? static_cast<double>(m_Total - step) : static_cast<double>(step);
    double n = static_cast<double>(m_Total);
    return static_cast<int32_t>(m_Range * (s * s) / (n * n) + m_Base);
}

void CCounterSin::Set(int32_t start, int32_t end, int32_t steps) {
    m_Reversed = steps < 0;
    CCounter::Set(start, end, steps);
}

int32_t CCounterSin::_Curve(int32_t step) const {
    const double quarter = std::numbers::pi / 2.0;
    if (m_Reversed) {
        double f = std::sin(quarter * (m_Total - step) / m_Total);
        return static_cast<int32_t>(m_End + (static_cast<double>(m_Start) - m_End) * f);
    }
    double f = std::sin(quarter * step / m_Total);
    return static_cast<int32_t>(m_Start + (static_cast<double>(m_End) - m_Start) * f);
}

int32_t CCounterLog::_Curve(int32_t step) const {
    double f = std::log10(1.0 + 9.0 * step / m_Total);
    return static_cast<int32_t>(m_Start + (static_cast<double>(m_End) - m_Start) * f);
}
