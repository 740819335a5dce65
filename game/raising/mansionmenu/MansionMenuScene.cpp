#include "game/raising/mansionmenu/MansionMenuScene.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/Status.h"
#include "game/core/SystemData.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/mansion/MansionTables.h"
#include "game/raising/mansionmenu/HelpTable.h"
#include "game/raising/mansionmenu/MansionMusic.h"


namespace {

const char* const kFriendNames[4] = {"フェリナ", "チャコル", "ミルテ", "ネリサ"};
constexpr int32_t kRankLimits[] = {50, 300, 600, 1200, 2600};
constexpr int32_t kJobLimits[] = {20, 40, 70, 110, 150};

// The panel that button i opens (0: none).
constexpr int32_t kButtonPanel[CMansionMenuScene::kButtonCount] = {1, 2, 4, 5, 0, 6, 7, 8, 0, 9};

// The side card that help n slides in.
int SideOfHelp(int32_t n) {
    switch (n) {
    case 0: return 1;
    case 1:
    case 10:
    case 11:
    case 12:
    case 13: return 2;
    case 2: return 3;
    case 3: return 4;
    case 4: return 5;
    case 5: return 6;
    default: return 0;
    }
}

bool FirstTurn(const CStatus& s) { return s.GetParam(109, 0) == 1 && s.GetParam(109, 1) == 4 && s.GetParam(109, 2) == 1; }

}  // namespace

// Two columns below the slide panel's card, which the menu shows in the top-left
// corner, and above the message box: a button under either could not be seen.  The end
// button keeps the bottom of the first column.
SPoint CMansionMenuScene::ButtonPos(int i) {
    static constexpr SPoint kPlaces[kButtonCount] = {{24, 192},  {24, 234},  {24, 276},  {24, 318}, {440, 192},
                                                     {440, 234}, {440, 276}, {440, 318}, {24, 360}, {440, 360}};
    return i >= 0 && i < kButtonCount ? kPlaces[i] : SPoint{};
}

CMansionMenuScene::CMansionMenuScene(CMansionHostMode& host) : CMansionMenuScreen(host) {
    MatrixIdentity(&m_BoardMatrix);
}

CMansionMenuScene::~CMansionMenuScene() = default;

const CStatus& CMansionMenuScene::_Status() const { return m_Owner.Status(); }

void CMansionMenuScene::_LoadPictures() {
    m_CardPlane.LoadFile(kCards, 0, 1);
    m_CardCells.Set(&m_CardPlane, kCardCount, 1);
    m_EmblemPlane.LoadFile(kEmblems, 0, 1);
    m_EmblemCells.Set(&m_EmblemPlane, 14, 1);
    m_DigitPlane.LoadFile(kDigits, 0, 1);
    m_DigitCells.Set(&m_DigitPlane, 10, 1);
    m_SignPlane.LoadFile(kSigns, 0, 1);
    m_SignCells.Set(&m_SignPlane, 3, 1);
    m_LabelPlane.LoadFile(kLabel, 0, 1);
    m_LevelPlane.LoadFile(kLevels, 0, 1);
    m_LevelCells.Set(&m_LevelPlane, 6, 1);
    m_StagePlane.LoadFile(kStages, 0, 1);
    m_StageCells.Set(&m_StagePlane, 8, 1);
}

void CMansionMenuScene::Load() {
    CSlidePanel& slide = m_Owner.GetSlidePanel();
    slide.HideAll();
    slide.Show(1);
    CMainGameScene& stage = m_Owner.Stage();
    stage.SetSkipStopLock(true);
    _LoadPictures();
    for (int i = 0; i < kButtonCount; ++i) {
        CImagePlane& plane = m_ButtonPlanes[static_cast<size_t>(i)];
        plane.LoadFile(ButtonPicture(i), 0, 1);
        CButton& b = m_Buttons[static_cast<size_t>(i)];
        b.SetMomentary(true);
        b.SetupColumn(&plane, 1, 5, 0);
        const SPoint p = ButtonPos(i);
        b.SetPosition(p.x, p.y);
    }
    stage.ClearToBlack();
    // A picture made on a layer stays hidden until it is shown.
    stage.ShowLayerImage(100, kBackground);
    stage.ShowLayer(100);
    stage.StartScreenChange(1, 15);
    stage.SetMessageOn();
    stage.ShowNameLine(CSaveRecordStrings{});
    StartMansionMusic(stage);
    ShowSidePicture(0);
    if (m_BoardState != SLIDING_IN && m_BoardState != SHOWN) {
        m_BoardState = SLIDING_IN;
        m_Board.Set(-800, 0, -kBoardSteps);
    }
    m_Panel = 0;
    m_PanelA.Close();
    m_PanelB.Close();
    for (CButton& b : m_Buttons) b.Enable();
    ApplyButtonRules();
}

void CMansionMenuScene::LoadState(const CGameState& state) {
    (void)state;
    CSlidePanel& slide = m_Owner.GetSlidePanel();
    slide.HideAll();
    slide.Show(1);
}

void CMansionMenuScene::ApplyButtonRules() {
    const CStatus& s = _Status();
    const SStatusWords& w = s.Words();
    const int32_t stamina = s.GetParam(104, 1);
    const int32_t money = s.GetParam(104, 0);
    const bool first = FirstTurn(s);
    bool allExchange = true, allSecond = true;
    for (int f = 0; f < 4; ++f) {
        allExchange = allExchange && s.GetParam(106, 4 + f) >= 900;
        allSecond = allSecond && s.GetParam(106, 12 + f) >= 100;
    }
    const bool job = stamina >= 10 && s.GetParam(0, 0) != 0 && s.GetMainRank() >= 2 && s.GetParam(106, 15) >= 10;
    const bool off[kButtonCount] = {
        stamina < 8,
        stamina < 6 || first || allExchange,
        stamina < 6 || allSecond || s.GetParam(104, 4) < 50,
        stamina < 5 || s.GetLevel5() == 5,
        first,
        !job,
        first || money < 40 || w.mealDone != 0,
        stamina < 2 || money < 5 || w.smallExpenseDone != 0,
        false,
        false,
    };
    for (int i = 0; i < kButtonCount; ++i) {
        if (off[i]) m_Buttons[static_cast<size_t>(i)].Disable();
    }
}

// Set up anew even over an open panel of the same layout: an item clicked there stays
// checked and takes no click again, so the friend chosen before the manners would be
// dead once cancel or BACK went back to the friends.
void CMansionMenuScene::_OpenPanelA(int32_t type) {
    m_PanelA.SetupPanelImages(type);
    m_PanelA.Open();
}

void CMansionMenuScene::SetMenuPanel(int32_t n) {
    m_Panel = n;
    // Under the manners the friends take no pointer: their BACK is left out, so the
    // manners' is the only one.
    m_PanelA.SetBackShown(n != 3);
    if (n == 0) {
        m_PanelA.Close();
        m_PanelB.Close();
        for (CButton& b : m_Buttons) b.Enable();
    } else if (n == 3) {
        m_PanelB.Close();
        m_PanelB.SetupPanelImages(2);
        m_PanelB.Open();
    } else if (n >= 1 && n <= 10) {
        m_PanelB.Close();
        _OpenPanelA(n - 1);
    }
    ApplyButtonRules();
}

void CMansionMenuScene::ClearHelp() {
    m_ShownHelp = -1;
    m_Owner.Stage().ResetMessageState();
    for (int i = 1; i < kCardCount; ++i) HideSidePicture(i);
    ShowSidePicture(0);
}

std::string CMansionMenuScene::BuildHelp(int32_t n) const {
    const CHelpTable& help = MansionMenuHelp();
    const CStatus& s = _Status();
    if (n == 0) {
        if (s.GetMainRank() >= 5) return FillHelp(help.GetLine(17), {});
        const int32_t total = s.GetParam(104, 4);
        const int32_t eval = s.GetParam(104, 3);
        int32_t next = kRankLimits[4];
        for (int32_t limit : kRankLimits) {
            if (limit > total) {
                next = limit;
                break;
            }
        }
        const int32_t left = total + eval >= next ? 0 : next - total - eval;
        return FillHelp(help.GetLine(0), {left});
    }
    if (n == 3) return FillHelp(help.GetLine(3), {100 - s.GetParam(104, 8)});
    if (n == 5) {
        const int32_t jobs = s.GetParam(103, 4);
        if (jobs >= 150) return FillHelp(help.GetLine(22), {});
        int32_t next = 150;
        for (int32_t limit : kJobLimits) {
            if (limit > jobs) {
                next = limit;
                break;
            }
        }
        return FillHelp(help.GetLine(5), {next - jobs});
    }
    if (n >= 10 && n <= 13) {
        const int f = n - 10;
        if (s.GetExchangeLevel(f) >= 9) return FillHelp(help.GetLine(n + 17), {});
        return FillHelp(help.GetLine(n), {100 - s.GetParam(106, 4 + f) % 100});
    }
    if (n >= 34 && n <= 41) {
        const int manner = n >= 38 ? 1 : 0;
        const int f = n - 34 - 4 * manner;
        if (s.GetExchangeLevel(f) >= 9) return FillHelp(help.GetLine(36 + manner), {kFriendNames[f]});
        return FillHelp(help.GetLine(34 + manner),
                        {kFriendNames[f], mansion::ExchangeGain(s, f, manner), kFriendNames[f], 100 - s.GetParam(106, 4 + f) % 100});
    }
    return FillHelp(help.GetLine(n), {});
}

void CMansionMenuScene::ShowHelp(int32_t n) {
    if (n == m_ShownHelp) return;
    m_ShownHelp = n;
    m_Owner.Stage().ShowMessageAlt(CSaveRecordStrings{"", BuildHelp(n), ""});
    const int side = SideOfHelp(n);
    for (int i = 0; i < kCardCount; ++i) {
        if (i == side) {
            ShowSidePicture(i);
        } else {
            HideSidePicture(i);
        }
    }
}

void CMansionMenuScene::ShowSidePicture(int i) {
    SSide& p = m_Sides[static_cast<size_t>(i)];
    if (p.state != SLIDING_IN && p.state != SHOWN) _StartSlide(p, true);
}

void CMansionMenuScene::HideSidePicture(int i) {
    SSide& p = m_Sides[static_cast<size_t>(i)];
    if (p.state == SLIDING_IN || p.state == SHOWN) _StartSlide(p, false);
}

void CMansionMenuScene::_StartSlide(SSide& p, bool in) {
    // The opposite slide under way: the new one starts from the steps it had left, so
    // the card goes on from its place and opacity.
    const int32_t start = p.state == (in ? SLIDING_OUT : SLIDING_IN) ? p.fade.GetTotal() - p.fade.GetStep() : 0;
    int32_t w = 0, h = 0;
    m_CardCells.GetCellSize(&w, &h);
    p.state = in ? SLIDING_IN : SLIDING_OUT;
    // In: decelerating; out: accelerating.
    const int32_t steps = in ? -kSideSteps : kSideSteps;
    p.x.Set(in ? w : 0, in ? 0 : w, steps);
    p.y.Set(in ? -w : 0, in ? 0 : -w, steps);
    p.fade.Set(in ? 0 : 255, in ? 255 : 0, kSideSteps);
    p.x.SetStep(start);
    p.y.SetStep(start);
    p.fade.SetStep(start);
}

void CMansionMenuScene::StepSidePictures() {
    for (SSide& p : m_Sides) {
        if (p.state != SLIDING_IN && p.state != SLIDING_OUT) continue;
        p.x.Next();
        p.y.Next();
        p.fade.Next();
        if (p.x.IsEnd() && p.y.IsEnd() && p.fade.IsEnd()) p.state = p.state == SLIDING_IN ? SHOWN : HIDDEN;
    }
}

void CMansionMenuScene::Update() {
    m_Owner.Stage().SetSkipStopLock(true);
    StepSidePictures();
    if (_InTransition()) return;
    if (m_BoardState == SLIDING_IN || m_BoardState == SLIDING_OUT) {
        m_Board.Next();
        if (m_Board.IsEnd()) m_BoardState = m_BoardState == SLIDING_IN ? SHOWN : HIDDEN;
    }
    CGameMain& game = m_Owner.GetGameMain();
    const SPoint mouse = game.GetMouse().GetPosition();
    const bool decide = IsDecidePressed(game.GetKeyboard(), game.GetMouse());
    const bool cancel = IsCancelPressed(game.GetKeyboard(), game.GetMouse());
    _RunButtons(mouse.x, mouse.y, decide);
    // The list panels take the pointer by the open menu panel.
    const int32_t fed = m_Panel;
    if (m_Panel == 0) {
        m_PanelA.SetCursor(-1, -1, false);
        m_PanelB.SetCursor(-1, -1, false);
    } else if (m_Panel == 3) {
        m_PanelA.SetCursor(-1, -1, false);
        m_PanelB.SetCursor(mouse.x, mouse.y, decide);
    } else {
        m_PanelA.SetCursor(mouse.x, mouse.y, decide);
    }
    for (int i = 0; i < kButtonCount; ++i) {
        const CButton& b = m_Buttons[static_cast<size_t>(i)];
        // A tap shows the help too, before the press acts; the cursor sound is pointing's.
        if (b.HoverBegan()) game.PlayChannel1();
        if (b.PointedOrPressed()) ShowHelp(i);
        if (b.BecameChecked()) {
            game.PlayChannel0();
            _PressButton(i);
            break;
        }
    }
    if (cancel && m_Panel != 0) {
        game.PlayChannel2();
        if (m_Panel == 3) {
            SetMenuPanel(2);
            m_PanelA.SetOpen();
        } else {
            SetMenuPanel(0);
        }
    }
    // The entries of the panel that took the pointer are served even after a cancel:
    // they act by the panel open now.
    if (fed == 3) {
        _RunPanelB();
    } else if (fed != 0) {
        _RunPanelA();
    }
    m_PanelA.Update();
    m_PanelB.Update();
}

void CMansionMenuScene::_RunButtons(int32_t mx, int32_t my, bool decide) {
    const bool live = m_BoardState == SHOWN && m_Panel == 0 && !m_PanelA.IsMoving() && !m_PanelB.IsMoving();
    bool taken = !live;
    for (CButton& b : m_Buttons) {
        if (taken) {
            b.Update(-1, -1, false);
        } else {
            b.Update(mx, my, decide);
            taken = b.IsPointerOver() || b.BecameChecked();
        }
        b.Step();
    }
    if (live && !taken) {
        if (m_ShownHelp != -1) ClearHelp();
    }
}

void CMansionMenuScene::_PressButton(int i) {
    switch (i) {
    case SHOP:
        _Relay(CMansionHostMode::SHOP);
        return;
    case END:
        if (m_Owner.GetGameMain().GetSystemData().IsConfirmOn()) {
            SetMenuPanel(10);
        } else {
            _End();
        }
        return;
    default:
        SetMenuPanel(kButtonPanel[i]);
        return;
    }
}

void CMansionMenuScene::_Relay(int32_t mode) {
    m_Host.SetSideMode(CMansionHostMode::FIRST_RELAY + mode, 1, 20);
    m_Owner.GetSlidePanel().HideAll();
}

void CMansionMenuScene::_End() {
    m_Host.SetSideMode(CMansionHostMode::EXIT, 1, 30);
    m_Owner.GetSlidePanel().HideAll();
}

void CMansionMenuScene::_RunPanelA() {
    CGameMain& game = m_Owner.GetGameMain();
    CGameState& state = m_Owner.State();
    for (int e = CListPanel::kBack; e < CListPanel::kItemCount; ++e) {
        if (m_PanelA.HoverBegan(e)) game.PlayChannel1();
        if (m_PanelA.PointedOrPressed(e)) {
            if (m_Panel == 2 && e >= 0 && e <= 3) ShowHelp(10 + e);
            if (m_Panel == 7 && e >= 0 && e <= 2) ShowHelp(14 + e);
        }
        if (!m_PanelA.BecameChecked(e)) continue;
        game.PlayChannel0();
        if (e == CListPanel::kBack) {
            SetMenuPanel(0);
            return;
        }
        switch (m_Panel) {
        case 1: e == 0 ? _Relay(CMansionHostMode::WORK) : SetMenuPanel(0); break;
        case 2:
            if (e <= 3) {
                state.m_ChosenFriend = e;
                SetMenuPanel(3);
            }
            break;
        case 4:
            if (e <= 3) {
                state.m_ChosenBondFriend = e;
                _Relay(CMansionHostMode::BOND);
            }
            break;
        case 5: e == 0 ? _Relay(CMansionHostMode::TRAINING) : SetMenuPanel(0); break;
        case 6: e == 0 ? _Relay(CMansionHostMode::JOB) : SetMenuPanel(0); break;
        case 7:
            if (e <= 2) {
                state.m_ChosenMeal = e;
                _Relay(CMansionHostMode::MEAL);
            }
            break;
        case 8: e == 0 ? _Relay(CMansionHostMode::SMALL_EXPENSE) : SetMenuPanel(0); break;
        case 9:
            if (e <= 1) RequestCallSceneKeep(24 + e, 1, 15);
            break;
        case 10: e == 0 ? SetMenuPanel(0) : _End(); break;
        default: break;
        }
        return;
    }
}

void CMansionMenuScene::_RunPanelB() {
    CGameMain& game = m_Owner.GetGameMain();
    CGameState& state = m_Owner.State();
    const int32_t f = state.m_ChosenFriend >= 0 && state.m_ChosenFriend <= 3 ? state.m_ChosenFriend : 0;
    for (int e = 0; e <= 1; ++e) {
        if (m_PanelB.HoverBegan(e)) game.PlayChannel1();
        if (m_PanelB.PointedOrPressed(e)) ShowHelp((e == 0 ? 34 : 38) + f);
    }
    if (m_PanelB.BecameChecked(CListPanel::kBack)) {
        game.PlayChannel2();
        SetMenuPanel(2);
        m_PanelA.SetOpen();
        return;
    }
    for (int e = 0; e <= 1; ++e) {
        // A cancel in this frame went back to the friends: the manner is not chosen.
        if (!m_PanelB.BecameChecked(e) || m_Panel != 3) continue;
        game.PlayChannel0();
        state.m_ChosenManner = e;
        _Relay(CMansionHostMode::EXCHANGE);
        return;
    }
}

void CMansionMenuScene::Draw() {
    _DrawStatus();
    MatrixTranslation(&m_BoardMatrix, static_cast<float>(m_BoardState == HIDDEN ? -800 : m_Board.GetValue()), 0.0f, 0.0f);
    for (CButton& b : m_Buttons) b.Draw(0xFFFFFFFFu, m_BoardMatrix);
    m_PanelA.Draw();
    m_PanelB.Draw();
}

void CMansionMenuScene::OnDeviceRestored() {
    if (!m_CardPlane.IsLoaded() || !m_DigitPlane.IsLoaded()) _LoadPictures();
    for (CButton& b : m_Buttons) b.Restore();
    m_PanelA.OnDeviceRestored();
    m_PanelB.OnDeviceRestored();
}
