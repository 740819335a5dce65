#include "game/menus/settings/MessageOptionPage.h"

#include <algorithm>

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/settings/SystemMenuScene.h"

const char* const CMessageOptionPage::kLines[kLineCount] = {
    "「お兄ちゃん、このくらいの速さでいいかな？」",
    "「えっ？　ダメ？　じゃあ、これぐらいかな……\n　う～ん……ピコネ、よく分からないよ……」",
    "「お兄ちゃん、これならどうかな？　もうバッチシでしょ？\n　これでもダメなんだったら、もうピコネ知らないっ！」",
    "「でもでも……しょうがないから、付き合ってあげるけど……。\n　おにいちゃんだけ特別なんだからね？」",
};
const char* const CMessageOptionPage::kSpeaker = "ピコネ";

int32_t CMessageOptionPage::UpdatesPerFrame(int32_t speed) { return speed > 50 && speed < 100 ? (speed - 50) / 5 + 1 : 1; }

int32_t CMessageOptionPage::DemoWait(int32_t autoSpeed, size_t textBytes) {
    if (autoSpeed == 100) {
        return 0;
    }
    return (100 - autoSpeed) * static_cast<int32_t>(textBytes) / 10 + 30;
}

void CMessageOptionPage::Load() {
    m_Background.LoadFile(kBackgroundFile);
    m_Window.LoadFile(kWindowFile);
    m_Sliders.Load(kLayout);
    for (int i = 0; i < kOptionCount; ++i) {
        CButton& b = m_Options[static_cast<size_t>(i)];
        b.Setup(&m_Owner.GetOptionSheet(), CSystemMenuScene::kOptionColumns, CSystemMenuScene::kOptionRows,
                SettingsButtonCells(kOptionColumns[static_cast<size_t>(i)]));
        b.SetPosition(kOptionPlaces[static_cast<size_t>(i)].x, kOptionPlaces[static_cast<size_t>(i)].y);
    }
    m_LineIndex = 0;
    m_WaitFrames = 0;
    // Plain white shadowed letters that appear without an effect.
    m_DemoText.GetFont().SetSize(kFontHeight);
    m_DemoText.SetDisplayEffect(0);
    m_DemoText.SetStyle(8);
    m_NamePlate.GetFont().SetSize(kFontHeight);
    m_NamePlate.Write(kSpeaker, 8);
    MatrixIdentity(&m_WindowTransform);
    Refresh();
    ToTextSpeed();
    SlideIn();
}

void CMessageOptionPage::SlideIn() {
    CMenuPage::SlideIn();
    m_WindowSlide.Set(kWindowSlide, 0, kSlideSteps);
    _PlaceText();
}

void CMessageOptionPage::SlideOut() {
    CMenuPage::SlideOut();
    m_WindowSlide.Set(0, kWindowSlide, kWindowOutSteps);
    _PlaceText();
}

bool CMessageOptionPage::_StepExtraSlide() {
    m_WindowSlide.Next();
    _PlaceText();
    return m_WindowSlide.IsAtEnd();
}

void CMessageOptionPage::_PlaceText() {
    const int32_t dy = m_WindowSlide.GetValue();
    MatrixTranslation(&m_WindowTransform, 0.0f, static_cast<float>(dy), 0.0f);
    m_DemoText.SetPosition(kTextAt.x, kTextAt.y + dy);
}

void CMessageOptionPage::ToTextSpeed() {
    const int32_t v = Settings().m_MessageSpeed;
    m_DemoText.Stop();
    if (v == 100) {
        m_DemoText.SetCharsPerStep(0);
        m_DemoText.SetRevealTiming(true, 0);
    } else if (v > 50) {
        m_DemoText.SetCharsPerStep(1);
        m_DemoText.SetRevealTiming(true, (v - 50) / 5 * 5);
    } else {
        m_DemoText.SetCharsPerStep((50 - v) / 5 + 1);
        m_DemoText.SetRevealTiming(true, 10);
    }
}

namespace {
constexpr SSliderFields kSliderFields = {&CSystemData::m_MessageSpeed, &CSystemData::m_AutoSpeed,
                                         &CSystemData::m_WindowOpacity};
}  // namespace

std::array<int32_t, CSliderSet::kCount> CMessageOptionPage::_Values() { return SliderValues(Settings(), kSliderFields); }

void CMessageOptionPage::_SetValue(int slider, int32_t value, bool dragged) {
    SetSliderValue(Settings(), kSliderFields, slider, value);
    // A drag on either speed restarts the demo line, so the new pace is seen from a
    // line's start; the step buttons restart it only for the message speed, the
    // auto-advance wait reaching the line already shown.  The opacity only changes the
    // window.
    if (slider == 0 || (dragged && slider == 1)) {
        ToTextSpeed();
    }
    Refresh();
}

void CMessageOptionPage::Refresh() {
    const CSystemData& sd = Settings();
    auto pair = [this](int on, int off, bool isOn) {
        isOn ? m_Options[static_cast<size_t>(on)].SetChecked() : m_Options[static_cast<size_t>(on)].SetUnchecked();
        isOn ? m_Options[static_cast<size_t>(off)].SetUnchecked() : m_Options[static_cast<size_t>(off)].SetChecked();
    };
    if (sd.m_SkipMode == 0 || sd.m_SkipMode == 1) {
        pair(0, 1, sd.m_SkipMode == 1);
    }
    pair(2, 3, sd.m_AutoMode != 0);
    m_Sliders.Lock(_Values());
    Game().ApplySoundVolumes();
}

void CMessageOptionPage::RefreshForDefaults() {
    Refresh();
    ToTextSpeed();
}

void CMessageOptionPage::Update() {
    const int32_t updates = UpdatesPerFrame(Settings().m_MessageSpeed);
    for (int32_t i = 0; i < updates; ++i) {
        m_DemoText.Update();
    }
    FeedButtons(Buttons());
    FeedButtons(m_Sliders.StepButtons());
    StepSlide();
    if (!TakesClicks()) {
        return;
    }
    CGameMain& game = Game();
    int32_t value = 0;
    const int held = m_Sliders.Held(game, &value);
    if (held >= 0 && value != _Values()[static_cast<size_t>(held)]) {
        _SetValue(held, value, true);
    }
    _StepDemo();
    CSystemData& sd = Settings();
    for (int i = 0; i < kOptionCount; ++i) {
        if (!PlayButtonSounds(game, m_Options[static_cast<size_t>(i)])) {
            continue;
        }
        if (i < 2) {
            sd.m_SkipMode = i == 0 ? 1 : 0;
        } else {
            sd.m_AutoMode = i == 2 ? 1 : 0;
        }
        Refresh();
    }
    int32_t delta = 0;
    if (const int slider = m_Sliders.PressedStep(game, &delta); slider >= 0) {
        _SetValue(slider, _Values()[static_cast<size_t>(slider)] + delta, false);
    }
}

void CMessageOptionPage::_StepDemo() {
    if (m_DemoText.IsActive() && !m_DemoText.IsRevealing()) {
        ++m_WaitFrames;
    }
    const bool shown = m_DemoText.IsActive() && !m_DemoText.IsRevealing();
    const int32_t wait = DemoWait(Settings().m_AutoSpeed, m_DemoText.GetText().size());
    if (m_DemoText.IsActive() && !(shown && m_WaitFrames >= wait)) {
        return;
    }
    m_DemoText.Stop();
    m_DemoText.SetText(kLines[m_LineIndex]);
    m_LineIndex = (m_LineIndex + 1) % kLineCount;
    m_DemoText.Start();
    m_WaitFrames = 0;
}

void CMessageOptionPage::Draw() {
    if (!IsDrawn()) {
        return;
    }
    DrawBackground();
    const uint32_t alpha = static_cast<uint32_t>(Settings().m_WindowOpacity * 255 / 100);
    m_Window.DrawMatrix(kWindowAt.x, kWindowAt.y, m_WindowTransform, alpha << 24 | 0xFFFFFFu);
    m_DemoText.Draw();
    m_NamePlate.Draw(kNameAt.x, kNameAt.y + m_WindowSlide.GetValue());
    DrawButtons(m_Options);
    m_Sliders.Draw(_Values(), Transform());
}

void CMessageOptionPage::OnDeviceRestored() {
    CMenuPage::OnDeviceRestored();
    m_Sliders.Restore();
    m_DemoText.OnDeviceRestored();
    m_NamePlate.Rewrite();
}
