#pragma once
// Holds one screen transition and the two pictures it runs between.  The outgoing
// and the incoming picture are captured by drawing them between Begin and End into
// render-target textures of the screen's size; Draw then draws the transition at a
// progress of 0 (the outgoing picture, exactly) to 1024 (the incoming picture,
// exactly) onto the current render target.  Everything here draws through the
// graphics device: without Direct3D, Begin fails and Draw draws nothing.
#include <cstdint>
#include <memory>

#include "engine/draw/RenderTarget.h"

class CTransition;

class CTransitionHolder {
public:
    static constexpr int32_t kDirect = -1;  // the fade to a colour (CTransitionDirect)
    static constexpr int32_t kCount = 54;   // indices 0 to 53
    static constexpr int32_t kProgressMax = 1024;

    CTransitionHolder();
    ~CTransitionHolder();
    CTransitionHolder(const CTransitionHolder&) = delete;
    CTransitionHolder& operator=(const CTransitionHolder&) = delete;

    // "Trans_None" … "Trans_Zoom3" for 0 to 53, "Trans_Direct" for -1, null otherwise.
    static const char* GetName(int32_t index);

    // Creates the transition of the index (-1 to 53); false with a log line otherwise
    // (the holder then keeps none and draws the incoming picture past progress 0).
    bool Create(int32_t index);
    int32_t GetIndex() const { return m_Index; }
    bool HasTransition() const { return m_Transition != nullptr; }

    // Captures: the draws between Begin and End land in the picture.  Begin is false
    // (and the draws go where they would have gone) without Direct3D.
    bool BeginOutgoing();
    bool EndOutgoing();
    bool BeginIncoming();
    bool EndIncoming();
    bool HasOutgoing() const { return m_HasOutgoing; }
    bool HasIncoming() const { return m_HasIncoming; }
    // Forgets the captured pictures (the textures stay for the next capture).
    void ClearCaptures();

    // Draws the transition at `progress` (held to 0..1024).  False when nothing was
    // drawn (no Direct3D, nothing captured).
    bool Draw(int32_t progress);
    // Whether Draw at `progress` can show any of the incoming picture: at progress 0
    // only a transition that draws its own ends does.
    bool ShowsIncoming(int32_t progress) const;

    // Drops the transition and the textures.
    void Release();

private:
    bool _Begin(CRenderTarget& target, bool* flag);

    int32_t m_Index = 0;
    std::unique_ptr<CTransition> m_Transition;
    CRenderTarget m_Outgoing;
    CRenderTarget m_Incoming;
    CRenderTarget m_Scratch;
    CRenderTargetScope m_Scope;
    bool m_HasOutgoing = false;
    bool m_HasIncoming = false;
    bool m_Capturing = false;
};
