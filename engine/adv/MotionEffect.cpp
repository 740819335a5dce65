#include "engine/adv/MotionEffect.h"

#include "engine/adv/MotionRenderer.h"

CMotionEffect::~CMotionEffect() {
    // The derived hooks no longer run here: only the state goes back to idle.
    m_State = STATE_IDLE;
}

void CMotionEffect::Attach(IImagePlane* plane) {
    m_Target = plane;
    if (plane) {
        int32_t w = 0, h = 0;
        plane->GetSize(&w, &h);
        m_Rect = SRect{0, 0, w, h};
    }
}

void CMotionEffect::Initialize() {
    if (m_State == STATE_IDLE) {
        return;
    }
    if (m_State == STATE_PLAYING) {
        OnStopPlaying();
    } else if (m_State == STATE_FINISHING) {
        OnStopFinishing();
    }
    OnInitialize();
    m_State = STATE_IDLE;
}

void CMotionEffect::Stop() {
    if (m_State == STATE_STOPPED) {
        return;
    }
    if (m_State == STATE_PLAYING) {
        OnStopPlaying();
    } else if (m_State == STATE_FINISHING) {
        OnStopFinishing();
    }
    OnStop();
    m_State = STATE_STOPPED;
}

void CMotionEffect::Start() {
    Initialize();
    OnStart();
    m_State = STATE_PLAYING;
}

void CMotionEffect::Finish() {
    Stop();
    OnFinish();
    m_State = STATE_FINISHING;
}

void CMotionEffect::Update() {
    switch (m_State) {
        case STATE_IDLE:
            UpdateIdle();
            break;
        case STATE_PLAYING:
            if (StepPlaying()) {
                Stop();
            }
            break;
        case STATE_STOPPED:
            UpdateStopped();
            break;
        case STATE_FINISHING:
            if (StepFinishing()) {
                Initialize();
            }
            break;
        default:
            break;
    }
}

void CMotionEffect::Draw() {
    CMatrix4 identity;
    MatrixIdentity(&identity);
    DrawTransformed(identity);
}

void CMotionEffect::DrawTransformed(const CMatrix4& matrix) {
    switch (m_State) {
        case STATE_IDLE:
            DrawIdle(matrix);
            break;
        case STATE_PLAYING:
            DrawPlaying(matrix);
            break;
        case STATE_STOPPED:
            DrawStopped(matrix);
            break;
        case STATE_FINISHING:
            DrawFinishing(matrix);
            break;
        default:
            break;
    }
}

void CMotionEffect::DrawStopped(const CMatrix4& matrix) { _DrawPlaced(matrix, m_Alpha, 0); }

void CMotionEffect::_DrawPlaced(const CMatrix4& matrix, int32_t alpha, int32_t dy) {
    if (!m_Target) {
        return;
    }
    CMatrix4 t, placed;
    // The sum in 64 bits: a far position with a large offset must not overflow.
    MatrixTranslation(&t, static_cast<float>(m_X), static_cast<float>(static_cast<int64_t>(m_Y) + dy), 0.0f);
    MatrixMultiply(&placed, &matrix, &t);
    _DrawWith(placed, alpha);
}

void CMotionEffect::_DrawWith(const CMatrix4& placed, int32_t alpha) {
    const int32_t w = m_Rect.right - m_Rect.left;
    const int32_t h = m_Rect.bottom - m_Rect.top;
    const uint32_t colour = (static_cast<uint32_t>(alpha) << 24) | 0xFFFFFFu;
    m_Target->DrawRectMatrix(SRect{0, 0, w, h}, m_Rect, placed, colour);
}

void CMotionEffect::_SetTextureFilter(int32_t minFilter, int32_t magFilter) {
    SetMotionTextureFilter(minFilter, magFilter);
}

void CMotionEffectCounted::_AddCounter(int32_t start, int32_t end) {
    if (m_CounterCount < m_Ranges.size()) {
        m_Ranges[m_CounterCount++] = SRange{start, end};
    }
}

void CMotionEffectCounted::OnStart() {
    for (size_t i = 0; i < m_CounterCount; ++i) {
        m_Counters[i].Set(m_Ranges[i].start, m_Ranges[i].end, m_Duration);
        m_Counters[i].SetStep(0);
    }
}

void CMotionEffectCounted::OnFinish() {
    for (size_t i = 0; i < m_CounterCount; ++i) {
        m_Counters[i].Set(m_Ranges[i].start, m_Ranges[i].end, m_Duration);
        m_Counters[i].SetStep(m_Duration);
    }
}

bool CMotionEffectCounted::StepPlaying() {
    bool done = true;
    for (size_t i = 0; i < m_CounterCount; ++i) {
        m_Counters[i].Next();
        done = done && m_Counters[i].IsEnd();
    }
    return done;
}

bool CMotionEffectCounted::StepFinishing() {
    bool done = true;
    for (size_t i = 0; i < m_CounterCount; ++i) {
        m_Counters[i].Prev();
        done = done && m_Counters[i].IsStart();
    }
    return done;
}
