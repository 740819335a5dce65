#include "game/menus/kit/MenuTabBar.h"

#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/MenuSounds.h"

void CMenuTabBar::Load(CGameMain& game, int32_t own, const SOptions& options) {
    m_Options = options;
    m_Sheet.LoadFile(kSheet);
    for (int i = 0; i < kCount; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        b.SetupColumn(&m_Sheet, kCount, 5, i);
        b.SetPosition(8 + 48 * i, 48);
        b.SetDisplayOption(CButton::OPTION_HIGHLIGHT, options.highlight);
        if (options.cleared[static_cast<size_t>(i)]) {
            b.Reset();
        }
    }
    _Select(own);
    ApplyLocks(game);
}

void CMenuTabBar::Load(CGameMain& game, int32_t own) { Load(game, own, SOptions{}); }

void CMenuTabBar::_Select(int32_t index) {
    m_Own = index >= 0 && index < kCount ? index : -1;
    for (int i = 0; i < kCount; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        if (i == m_Own) {
            b.SetChecked();
        } else {
            b.SetUnchecked();
        }
    }
}

void CMenuTabBar::ApplyLocks(CGameMain& game) {
    for (int i = 0; i < kCount; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        const bool saveWithoutGame = i == 0 && game.m_GameInProgress == 0;
        const bool replay = i < 5 && game.m_ReplayFlag != 0;
        const bool other = m_Options.lockOthers && i != m_Own;
        if (saveWithoutGame || replay || other) {
            b.Lock();
        }
    }
}

int32_t CMenuTabBar::Update(CGameMain& game, bool pointer) {
    const bool transition = !pointer || IsTopSceneInTransition();
    const SPoint at = game.GetMouse().GetPosition();
    const bool decide = !transition && IsDecidePressed();
    for (CImageButton& b : m_Buttons) {
        if (transition) {
            b.Update(-1, -1, false);
        } else {
            b.Update(at.x, at.y, decide);
        }
        b.Step();
    }
    for (int i = 0; i < kCount; ++i) {
        if (PlayButtonSounds(game, m_Buttons[static_cast<size_t>(i)])) {
            RequestGotoScene(kScenes[i], kTransition, kFrames);
            _Select(i);
            ApplyLocks(game);
            return i;
        }
    }
    return -1;
}

void CMenuTabBar::Draw(uint32_t colour) {
    for (CImageButton& b : m_Buttons) {
        b.DrawPlain(colour);
    }
}

void CMenuTabBar::Draw(uint32_t colour, const CMatrix4& matrix) {
    for (CImageButton& b : m_Buttons) {
        b.Draw(colour, matrix);
    }
}

void CMenuTabBar::Restore() {
    for (CImageButton& b : m_Buttons) {
        b.Restore();
    }
}
