#include "game/raising/home/HomeScene.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Matrix.h"
#include "engine/base/Mouse.h"
#include "engine/base/StringUtil.h"
#include "game/core/GameMain.h"
#include "game/core/GameState.h"
#include "game/core/SceneRequest.h"
#include "game/core/StageSnapshot.h"
#include "game/core/Status.h"
#include "game/core/SystemData.h"
#include "game/raising/home/HomeHelpLines.h"
#include "game/raising/home/HomeHostMode.h"
#include "game/raising/ingame/RaisingScene.h"

namespace {

constexpr SPoint kButtonPos[CHomeScene::kButtonCount] = {{176, 240}, {8, 160},   {408, 160}, {384, 280},
                                                         {160, 160}, {624, 160}, {640, 248}};
// The panel state each button opens (the end button only with the confirmation on).
constexpr int32_t kButtonState[CHomeScene::kButtonCount] = {1, 2, 6, 7, 8, 9, 10};
constexpr int kEndButton = 6;

// The relays that start each action and the end.
constexpr int32_t kRelayHousework = 7;
constexpr int32_t kRelayOuting = 8;
constexpr int32_t kRelayRoomPlay = 9;
constexpr int32_t kRelayRest = 10;
constexpr int32_t kRelayNursing = 11;

constexpr SPoint kSatietyPlaces[3] = {{636, 38}, {651, 35}, {666, 36}};
constexpr SPoint kFacePos = {620, 58};
constexpr SPoint kGrowthPlaces[4] = {{621, 87}, {636, 88}, {651, 85}, {666, 86}};
constexpr SPoint kPercentPlaces[3] = {{621, 113}, {636, 114}, {651, 111}};
constexpr SPoint kPercentMarkPos = {667, 116};
constexpr SPoint kFirstPlaces[5] = {{639, 36}, {654, 37}, {670, 38}, {685, 35}, {700, 36}};
constexpr SPoint kSecondPlaces[5] = {{639, 60}, {654, 61}, {670, 62}, {685, 59}, {700, 60}};
constexpr SPoint kCostPlaces[2] = {{639, 87}, {654, 88}};
constexpr SPoint kSeparatorPos = {667, 89};
constexpr int kSeparatorCell = 2;
constexpr SPoint kLeftPlaces[3] = {{685, 86}, {700, 87}, {715, 85}};

int32_t CountOf(const CStatus& status, int32_t index) { return status.GetParam(101, index); }

}  // namespace

// ---- fixed tables ----

const char* CHomeScene::HelpText(int32_t index) {
    static constexpr const char* kTexts[kButtonCount] = {
        "ピコネ達と楽しく家事をすることが出来ます。",
        "ピコネ達と外に出かけて遊ぶことが出来ます。",
        "ピコネ達と家でのんびり過ごすことが出来ます。",
        "ピコネ達と部屋の中で楽しく過ごすことが出来ます。",
        "体調不良のピコネを看病することが出来ます。",
        "様々なデータを確認することが出来ます。",
        "自宅行動を終了して屋敷に戻ります。",
    };
    return index >= 0 && index < kButtonCount ? kTexts[index] : "";
}

int CHomeScene::PictureOfHelp(int32_t index) {
    switch (index) {
    case 0: return 1;
    case 2: return 6;
    case 3: return 5;
    case 10: return 2;
    case 11: return 3;
    case 12: return 4;
    default: return 0;
    }
}

int32_t CHomeScene::FaceCell(int32_t season, int32_t percent) {
    switch (season) {
    case 3: return 0;
    case 4: return 1;
    case 7: return 2;
    case 6: return 3;
    case 8: return 4;
    default: break;
    }
    if (percent <= 20) return 5;
    if (percent <= 40) return 6;
    if (percent <= 60) return 7;
    if (percent <= 80) return 8;
    if (percent <= 100) return 9;
    return 0;
}

bool CHomeScene::PanelOfState(int32_t n, int* panel, int32_t* type) {
    if (n < 1 || n > 12) return false;
    *type = n + 9;
    *panel = n >= 11 ? 3 : n >= 3 && n <= 5 ? 2 : 1;
    return true;
}

void CHomeScene::PictureValues(const CStatus& status, int i, int32_t* first, int32_t* second, int32_t* cost) {
    const SStatusWords& w = status.Words();
    *first = *second = *cost = 0;
    switch (i) {
    case 1:
        *first = CountOf(status, 2);
        *second = CountOf(status, 3) + CountOf(status, 4);
        *cost = 15;
        break;
    case 2:
    case 3:
    case 4:
        for (int d = 0; d <= 13; ++d) {
            if (d == 4 || d == 5) {
                *second += w.outingCounter[d];
            } else {
                *first += w.outingCounter[d];
            }
        }
        *cost = 15 + 5 * (i - 2);
        break;
    case 5:
        for (int p = 0; p < 6; ++p) (p < 4 ? *first : *second) += CountOf(status, 21 + p);
        *cost = 15;
        break;
    case 6:
        *first = CountOf(status, 28);
        *second = CountOf(status, 29);
        *cost = 10;
        break;
    default: return;
    }
    if (status.GetParam(107, 0) == 7) *cost += 2;
}

// ---- the scene ----

CHomeScene::CHomeScene(CHomeHostMode& host) : CModeState(host.GetOwner()), m_Host(host) {}

void CHomeScene::_LoadPictures() {
    m_SatietyPicture.Load(kSatietyPicture);
    m_ActionPicture.Load(kActionPicture);
    m_DigitPlane.Load(kDigitSheet);
    m_Digits.Set(&m_DigitPlane, 10, 1);
    m_MarkPlane.Load(kMarkSheet);
    m_Marks.Set(&m_MarkPlane, kMarkCells, 1);
    m_PercentMark.Load(kPercentMark);
    m_FacePlane.Load(kFaceSheet);
    m_Faces.Set(&m_FacePlane, kFaceCells, 1);
}

void CHomeScene::Load() {
    m_Owner.Stage().SetSkipStopLock(true);
    HideSlidePictures(m_Owner);
    m_Owner.GetSlidePanel().Open(kSlidePicture);
    _LoadPictures();
    m_Frame.Load(kFramePicture);
    for (int i = 0; i < kButtonCount; ++i) {
        CButton& b = m_Buttons[static_cast<size_t>(i)];
        m_ButtonPictures[static_cast<size_t>(i)].Load(kButtonPictures[i]);
        b.SetupColumn(&m_ButtonPictures[static_cast<size_t>(i)], 1, 5, 0);
        b.SetPosition(kButtonPos[i].x, kButtonPos[i].y);
    }
    _PrepareStage();
    _StartMusic();
    HighlightPicture(0);
    if (m_SlideState != SLIDE_IN && m_SlideState != SLIDE_PLACED) {
        m_SlideState = SLIDE_IN;
        m_Slide.Set(kSlideFrom, 0, kSlideSteps);
    }
    OpenPanelState(0);
}

void CHomeScene::_PrepareStage() {
    CMainGameScene& stage = m_Owner.Stage();
    stage.ReleaseAllLayers();
    stage.SetLayerFill(CMainGameScene::kBackgroundLayer, CRaisingScene::kBlack);
    // Morning, the first of the household's three pictures.
    stage.ShowTimeBackground(CMainGameScene::kBackgroundLayer, 0);
    stage.ShowLayer(CMainGameScene::kBackgroundLayer);
    stage.SetLayerFill(kShadeLayer, kShade);
    stage.ShowLayer(kShadeLayer);
    stage.StartScreenChange(1, 15);
    stage.SetMessageOn();
    stage.ShowNameLine(CSaveRecordStrings());
}

void CHomeScene::_StartMusic() {
    CMainGameScene& stage = m_Owner.Stage();
    const std::string wanted = StrCaseConvert(kMusic);
    for (int s = 0; s < CStageSnapshot::kSoundSlots; ++s) {
        const SSoundSlotRecord* r = stage.GetRecord().GetSoundSlot(0, s);
        if (r && r->playing != 0 && StrCaseConvert(r->source) == wanted) return;
    }
    stage.LoadSlot(0, 0, kMusic);
    stage.SetSlotVolume(0, 0, kMusicVolume);
    stage.SetSlotPan(0, 0, 0);
    stage.PlaySlot(0, 0, 0, 0);
}

void CHomeScene::LoadState(const CGameState& state) {
    (void)state;
    HideSlidePictures(m_Owner);
    m_Owner.GetSlidePanel().Open(kSlidePicture);
}

void CHomeScene::Update() {
    m_Owner.Stage().SetSkipStopLock(true);
    _StepHighlights();
    _Run();
}

void CHomeScene::_Run() {
    if (m_Host.IsHomeInTransition()) return;
    if (m_SlideState == SLIDE_IN || m_SlideState == SLIDE_OUT) {
        m_Slide.Next();
        if (m_Slide.IsEnd()) m_SlideState = m_SlideState == SLIDE_IN ? SLIDE_PLACED : SLIDE_NONE;
    }
    CGameMain& game = m_Owner.GetGameMain();
    const SPoint p = game.GetMouse().GetPosition();
    const bool decide = IsDecidePressed();
    _MenuInput(p, decide);
    const int taking = m_PanelState == 0 ? 0 : m_PanelState >= 11 ? 3 : m_PanelState >= 3 && m_PanelState <= 5 ? 2 : 1;
    for (int n = 1; n <= kPanelCount; ++n) {
        if (n == taking) {
            GetPanel(n).SetCursor(p.x, p.y, decide);
        } else {
            GetPanel(n).SetCursor(-1, -1, false);
        }
    }
    _ButtonEvents();
    if (IsCancelPressed()) _Cancel();
    _Panel1Events();
    _Panel2Events();
    _Panel3Events();
    for (CListPanel& panel : m_Panels) panel.Update();
}

void CHomeScene::_MenuInput(SPoint p, bool decide) {
    const bool live = m_SlideState == SLIDE_PLACED && m_PanelState == 0 && !GetPanel(1).IsMoving() &&
                      !GetPanel(2).IsMoving();
    bool found = false;
    for (CButton& b : m_Buttons) {
        if (live && !found) {
            b.Update(p.x, p.y, decide);
            found = b.IsPointerOver() || b.IsClicked();
        } else {
            b.Update(-1, -1, false);
        }
    }
    if (live && !found) ClearHelp();
    for (CButton& b : m_Buttons) b.Step();
}

void CHomeScene::_ButtonEvents() {
    CGameMain& game = m_Owner.GetGameMain();
    for (int i = 0; i < kButtonCount; ++i) {
        const CButton& b = m_Buttons[static_cast<size_t>(i)];
        // A tap shows the help too, before the press acts; the cursor sound is pointing's.
        if (b.HoverBegan()) game.PlayChannel1();
        if (b.PointedOrPressed()) SetHelp(i);
        if (!b.IsClicked()) continue;
        game.PlayChannel0();
        if (i == kEndButton && !game.GetSystemData().IsConfirmOn()) {
            _Leave();
            return;
        }
        OpenPanelState(kButtonState[i]);
        return;
    }
}

void CHomeScene::_Cancel() {
    if (m_PanelState == 0) return;
    m_Owner.GetGameMain().PlayChannel2();
    if (m_PanelState >= 3 && m_PanelState <= 5) {
        OpenPanelState(2);
        GetPanel(1).SetOpen();
    } else if (m_PanelState >= 11) {
        OpenPanelState(3);
        GetPanel(2).SetOpen();
    } else {
        OpenPanelState(0);
    }
}

void CHomeScene::_Panel1Events() {
    CListPanel& panel = GetPanel(1);
    CGameMain& game = m_Owner.GetGameMain();
    const int32_t state = m_PanelState;
    for (int i = CListPanel::kBack; i < CListPanel::kItemCount; ++i) {
        if (panel.HoverBegan(i)) game.PlayChannel1();
        if (panel.PointedOrPressed(i)) {
            if (state == 8) {
                ShowHelpLine(12);
            } else if (i >= 0 && i <= 2 && state == 1) {
                ShowHelpLine(i);
            } else if (i >= 0 && i <= 2 && state == 2) {
                SetHelp(10 + i);
            } else if (i >= 0 && i <= 2 && state == 6) {
                ShowHelpLine(3 + i);
            } else if (i >= 0 && i <= 5 && state == 7) {
                ShowHelpLine(6 + i);
            }
        }
        if (!panel.BecameChecked(i)) continue;
        game.PlayChannel0();
        if (i == CListPanel::kBack) {
            OpenPanelState(0);
            return;
        }
        switch (state) {
        case 1:
            if (i > 2) break;
            m_Owner.State().m_HouseworkKind = i;
            _StartMode(kRelayHousework);
            break;
        case 2:
            if (i <= 2) OpenPanelState(3 + i);
            break;
        case 6:
            if (i > 1) break;
            m_Owner.State().m_RestChoice = i;
            _StartMode(kRelayRest);
            break;
        case 7:
            if (i > 5) break;
            m_Owner.State().m_RoomPlay = i;
            _StartMode(kRelayRoomPlay);
            break;
        case 8:
            if (i == 0) _StartMode(kRelayNursing);
            break;
        case 9:
            // The status pages; the in-game scene waits under them.
            if (i <= 1) RequestCallSceneKeep(i == 0 ? 24 : 25, 1, 15);
            break;
        case 10:
            if (i == 0) _Leave();
            if (i == 1) OpenPanelState(0);
            break;
        default: break;
        }
        return;
    }
}

void CHomeScene::_Panel2Events() {
    CListPanel& panel = GetPanel(2);
    CGameMain& game = m_Owner.GetGameMain();
    const int32_t state = m_PanelState;
    if (state < 3 || state > 5) return;
    for (int i = CListPanel::kBack; i < CListPanel::kItemCount; ++i) {
        if (panel.HoverBegan(i)) game.PlayChannel1();
        if (panel.PointedOrPressed(i)) {
            if (state == 3 && i == 0) ShowHelpLine(13);
            if (state == 3 && i >= 3 && i <= 5) ShowHelpLine(11 + i);
            if (state == 4 && i >= 0 && i <= 3) ShowHelpLine(17 + i);
            if (state == 5 && i >= 0 && i <= 3) ShowHelpLine(21 + i);
        }
        if (!panel.BecameChecked(i)) continue;
        if (i == CListPanel::kBack) {
            game.PlayChannel2();
            OpenPanelState(2);
            GetPanel(1).SetOpen();
            return;
        }
        game.PlayChannel0();
        if (state == 3) {
            if (i == 0 || (i >= 3 && i <= 5)) _ChooseDestination(i);
            if (i == 1 || i == 2) OpenPanelState(10 + i);
        } else if (i <= 3) {
            _ChooseDestination((state == 4 ? 6 : 10) + i);
        }
        return;
    }
}

void CHomeScene::_Panel3Events() {
    CListPanel& panel = GetPanel(3);
    CGameMain& game = m_Owner.GetGameMain();
    const int32_t state = m_PanelState;
    if (state != 11 && state != 12) return;
    const int32_t line = state == 11 ? 25 : 27;
    const int32_t destination = state == 11 ? 14 : 16;
    for (int i = CListPanel::kBack; i < CListPanel::kItemCount; ++i) {
        if (panel.HoverBegan(i)) game.PlayChannel1();
        if (panel.PointedOrPressed(i) && (i == 0 || i == 1)) ShowHelpLine(line + i);
        if (!panel.BecameChecked(i)) continue;
        if (i == CListPanel::kBack) {
            game.PlayChannel2();
            OpenPanelState(3);
            GetPanel(2).SetOpen();
            return;
        }
        game.PlayChannel0();
        if (i <= 1) _ChooseDestination(destination + i);
        return;
    }
}

void CHomeScene::_ChooseDestination(int32_t d) {
    m_Owner.State().m_OutingDestination = d;
    _StartMode(kRelayOuting);
}

void CHomeScene::_StartMode(int32_t mode) {
    m_Host.StartHomeMode(mode, 1, 20);
    HideSlidePictures(m_Owner);
}

void CHomeScene::_Leave() {
    m_Host.StartHomeMode(CHomeModeFactory::kLeave, 1, 30);
    HideSlidePictures(m_Owner);
}

void CHomeScene::OpenPanelState(int32_t n) {
    m_PanelState = n;
    int panel = 0;
    int32_t type = 0;
    if (!PanelOfState(n, &panel, &type)) {
        for (CListPanel& p : m_Panels) p.Close();
        for (CButton& b : m_Buttons) {
            b.SetUnchecked();
            b.Enable();
        }
    } else {
        for (int k = panel + 1; k <= kPanelCount; ++k) GetPanel(k).Close();
        CListPanel& shown = GetPanel(panel);
        shown.SetupPanelImages(type);
        shown.Open();
    }
    // The panels under the one that takes the pointer leave their BACK out: one shows.
    for (int k = 1; k <= kPanelCount; ++k) GetPanel(k).SetBackShown(panel == 0 || k >= panel);
    ApplyButtonRule();
}

void CHomeScene::ApplyButtonRule() {
    const CStatus& status = m_Owner.Status();
    const int32_t satiety = status.GetParam(100, 9);
    const int32_t season = status.GetParam(107, 0);
    if (season == 3 || season == 4) {
        for (int i : {0, 1, 2, 3, 6}) m_Buttons[static_cast<size_t>(i)].Disable();
        return;
    }
    const int32_t t = season == 7 ? 17 : 15;
    const int32_t u = season == 7 ? 12 : 10;
    if (satiety < t) {
        for (int i : {0, 1, 3}) m_Buttons[static_cast<size_t>(i)].Disable();
    }
    if (satiety < u) m_Buttons[2].Disable();
    m_Buttons[4].Disable();
}

// ---- help ----

void CHomeScene::SetHelp(int32_t index) {
    // A help line shown since stands in the window in its place: the text comes back.
    if (index == m_HelpIndex && m_HelpLine == -1) return;
    m_HelpIndex = index;
    m_HelpLine = -1;
    m_Owner.Stage().ShowMessageAlt(CSaveRecordStrings("", HelpText(index), ""));
    const int shown = PictureOfHelp(index);
    for (int i = 0; i < kPictureCount; ++i) {
        if (i == shown) {
            HighlightPicture(i);
        } else {
            UnhighlightPicture(i);
        }
    }
}

void CHomeScene::ShowHelpLine(int32_t n) {
    CHomeHelpLines& lines = CHomeHelpLines::Shared();
    lines.EnsureLoaded();
    if (n == m_HelpLine) return;
    m_HelpLine = n;
    m_Owner.Stage().ShowMessageAlt(CSaveRecordStrings("", lines.Get(n), ""));
}

void CHomeScene::ClearHelp() {
    if (m_HelpIndex == -1) return;
    m_HelpIndex = m_HelpLine = -1;
    m_Owner.Stage().ResetMessageState();
    for (int i = 1; i < kPictureCount; ++i) UnhighlightPicture(i);
    HighlightPicture(0);
}

// ---- information pictures ----

void CHomeScene::HighlightPicture(int i) {
    const int light = m_Light[static_cast<size_t>(i)];
    if (light == LIGHT_IN || light == LIGHT_ON) return;
    _StartFade(i, LIGHT_IN, light == LIGHT_OUT ? m_Alpha[static_cast<size_t>(i)].GetStep() : -1);
}

void CHomeScene::UnhighlightPicture(int i) {
    const int light = m_Light[static_cast<size_t>(i)];
    if (light != LIGHT_IN && light != LIGHT_ON) return;
    _StartFade(i, LIGHT_OUT, light == LIGHT_IN ? m_Alpha[static_cast<size_t>(i)].GetStep() : -1);
}

void CHomeScene::_StartFade(int i, int light, int32_t done) {
    const size_t k = static_cast<size_t>(i);
    const int32_t w = m_SatietyPicture.GetWidth();
    const bool in = light == LIGHT_IN;
    m_Light[k] = light;
    // In: eased out of the corner; out: eased back into it.
    m_OffsetX[k].Set(in ? w : 0, in ? 0 : w, in ? -kHighlightSteps : kHighlightSteps);
    m_OffsetY[k].Set(in ? -w : 0, in ? 0 : -w, in ? -kHighlightSteps : kHighlightSteps);
    m_Alpha[k].Set(in ? 0 : 255, in ? 255 : 0, kHighlightSteps);
    if (done < 0) return;
    // Back the way it came, from where it stands.
    for (CCounter* c : {static_cast<CCounter*>(&m_OffsetX[k]), static_cast<CCounter*>(&m_OffsetY[k]),
                        static_cast<CCounter*>(&m_Alpha[k])}) {
        c->SetStep(kHighlightSteps - done);
    }
}

void CHomeScene::_StepHighlights() {
    for (size_t i = 0; i < kPictureCount; ++i) {
        if (m_Light[i] != LIGHT_IN && m_Light[i] != LIGHT_OUT) continue;
        m_OffsetX[i].Next();
        m_OffsetY[i].Next();
        m_Alpha[i].Next();
        if (m_OffsetX[i].IsEnd() && m_OffsetY[i].IsEnd() && m_Alpha[i].IsEnd()) {
            m_Light[i] = m_Light[i] == LIGHT_IN ? LIGHT_ON : LIGHT_OFF;
        }
    }
}

SPoint CHomeScene::GetPictureOffset(int i) const {
    return SPoint{m_OffsetX[static_cast<size_t>(i)].GetValue(), m_OffsetY[static_cast<size_t>(i)].GetValue()};
}

// ---- drawing ----

void CHomeScene::Draw() {
    m_Owner.GetSlidePanel().Draw();
    for (int i = 0; i < kPictureCount; ++i) {
        if (m_Light[static_cast<size_t>(i)] != LIGHT_OFF) _DrawPicture(i);
    }
    const int32_t dx = m_SlideState == SLIDE_IN || m_SlideState == SLIDE_OUT ? m_Slide.GetValue() : 0;
    m_Frame.Draw(dx, kFrameY);
    CMatrix4 slide;
    MatrixTranslation(&slide, static_cast<float>(dx), 0.0f, 0.0f);
    for (CButton& b : m_Buttons) b.Draw(0xFFFFFFFFu, slide);
    for (CListPanel& panel : m_Panels) panel.Draw();
}

void CHomeScene::_DrawNumber(int32_t value, const SPoint* places, int count, int32_t x, int32_t y,
                             uint32_t colour) const {
    const int64_t v = value < 0 ? 0 : value;
    int64_t power = 1;
    for (int k = 1; k < count; ++k) power *= 10;
    for (int k = 0; k < count; ++k, power /= 10) {
        // Leading places only once the value reaches them; the ones always.
        if (k < count - 1 && v < power) continue;
        const int32_t digit = static_cast<int32_t>(v / power % 10);
        m_Digits.DrawCell(digit, 0, x + places[k].x, y + places[k].y, colour);
    }
}

void CHomeScene::_DrawPicture(int i) {
    const SPoint o = GetPictureOffset(i);
    const uint32_t colour = static_cast<uint32_t>(GetPictureAlpha(i)) << 24 | 0xFFFFFFu;
    const CStatus& status = m_Owner.Status();
    const int32_t satiety = status.GetParam(100, 9);
    if (i == 0) {
        m_SatietyPicture.Draw(kPictureX + o.x, o.y, colour);
        _DrawNumber(satiety, kSatietyPlaces, 3, o.x, o.y, colour);
        m_Faces.DrawCell(FaceCell(status.GetParam(107, 0), status.GetParam(108, 3)), 0, o.x + kFacePos.x,
                         o.y + kFacePos.y, colour);
        _DrawNumber(status.GetParam(100, 10), kGrowthPlaces, 4, o.x, o.y, colour);
        _DrawNumber(status.GetParam(108, 3), kPercentPlaces, 3, o.x, o.y, colour);
        m_PercentMark.Draw(o.x + kPercentMarkPos.x, o.y + kPercentMarkPos.y, colour);
        return;
    }
    int32_t first = 0;
    int32_t second = 0;
    int32_t cost = 0;
    PictureValues(status, i, &first, &second, &cost);
    m_ActionPicture.Draw(kPictureX + o.x, o.y, colour);
    _DrawNumber(first, kFirstPlaces, 5, o.x, o.y, colour);
    _DrawNumber(second, kSecondPlaces, 5, o.x, o.y, colour);
    _DrawNumber(cost, kCostPlaces, 2, o.x, o.y, colour);
    m_Marks.DrawCell(kSeparatorCell, 0, o.x + kSeparatorPos.x, o.y + kSeparatorPos.y, colour);
    _DrawNumber(satiety, kLeftPlaces, 3, o.x, o.y, colour);
}

void CHomeScene::OnDeviceRestored() {
    if (!m_SatietyPicture.IsLoaded()) _LoadPictures();
    for (CButton& b : m_Buttons) b.Restore();
    for (CListPanel& panel : m_Panels) panel.OnDeviceRestored();
}

void CHomeScene::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    Draw();
}

// ---- the menu mode ----

CHomeMenuMode::CHomeMenuMode(CHomeHostMode& host)
    : CModeHostState(host.GetOwner(), std::make_unique<CHomeScene>(host), ELayer::IN_WINDOW) {}

void CHomeMenuMode::Update() { UpdateUnderPanel(GetScene().GetPanelState() != 0); }
