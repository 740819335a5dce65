#include "game/raising/work/CountUpNumber.h"

#include <cstdlib>

void CCountUpNumber::Setup(CImagePlane* digits, std::initializer_list<SPoint> places) {
    m_Cells.Set(digits, kDigitColumns, 1);
    m_Places.fill(SPoint{0, 0});
    int i = 0;
    for (const SPoint& p : places) {
        if (i == kPlaceCount) break;
        m_Places[static_cast<size_t>(i++)] = p;
    }
    if (!m_Sign.IsLoaded()) m_Sign.Load(kSignPicture);
}

void CCountUpNumber::SetTarget(int32_t value) {
    m_Negative = value < 0 ? 1 : 0;
    const int64_t magnitude = std::llabs(static_cast<int64_t>(value));
    m_Target = static_cast<int32_t>(magnitude > INT32_MAX ? INT32_MAX : magnitude);
}

void CCountUpNumber::Start() {
    if (m_State == STATE_COUNTING || m_State == STATE_DONE) return;
    m_State = STATE_COUNTING;
    m_Step = 0;
}

void CCountUpNumber::Update() {
    if (m_State != STATE_COUNTING) return;
    if (m_Step == 0) {
        m_Counter.Set(0, m_Target, kSteps);
        m_Step = 1;
        return;
    }
    m_Counter.Next();
    if (m_Counter.IsEnd()) Finish();
}

void CCountUpNumber::Finish() {
    if (m_State != STATE_DONE) m_State = STATE_DONE;
}

int32_t CCountUpNumber::GetShownValue() const {
    if (m_State == STATE_COUNTING) return m_Step == 0 ? 0 : m_Counter.GetValue();
    return m_Target;
}

int CCountUpNumber::GetUsedPlaces() const {
    int n = 0;
    while (n < kPlaceCount && !(m_Places[static_cast<size_t>(n)].x == 0 && m_Places[static_cast<size_t>(n)].y == 0)) ++n;
    return n;
}

int32_t CCountUpNumber::FitToPlaces(int32_t value, int places) {
    // Nine digits are the most an int32 can fill with nines; more places hold any value.
    if (places <= 0 || places > 9) return value;
    int32_t largest = 9;
    for (int k = 1; k < places; ++k) largest = largest * 10 + 9;
    return value > largest ? largest : value;
}

void CCountUpNumber::Draw(const CMatrix4& transform, int32_t alpha) {
    if (m_State != STATE_COUNTING && m_State != STATE_DONE) return;
    const int places = GetUsedPlaces();
    if (places == 0) return;
    const uint32_t colour = static_cast<uint32_t>(alpha & 0xFF) << 24 | 0x00FFFFFFu;
    const int32_t value = FitToPlaces(GetShownValue(), places);
    // Powers of ten in 64 bits: the loop stops at the value or at the last place.
    int64_t power = 1;
    for (int k = 0; k < places; ++k) {
        if (k > 0 && power > value) break;
        const SPoint& p = m_Places[static_cast<size_t>(k)];
        m_Cells.DrawCellColored(static_cast<int32_t>(value / power % 10), 0, p.x, p.y, transform, colour);
        power *= 10;
    }
    if (m_Negative) {
        const SPoint& last = m_Places[static_cast<size_t>(places - 1)];
        m_Sign.DrawMatrix(last.x - kSignGap, last.y, transform, colour);
    }
}
