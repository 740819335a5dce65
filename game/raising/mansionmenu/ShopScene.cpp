#include "game/raising/mansionmenu/ShopScene.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Matrix.h"
#include "engine/base/Mouse.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/Status.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/mansionmenu/HelpTable.h"
#include "game/raising/mansionmenu/MansionMusic.h"
#include "game/stage/message/MessageWindow.h"
#include "game/stage/talk/TalkObjectManager.h"


namespace {

constexpr int kAlways[] = {2, 7, 8, 12, 18, 22, 23, 26, 27, 31, 32, 33};

struct SCondition {
    int entry;
    int32_t category;
    int32_t index;
};
constexpr SCondition kConditions[] = {
    {0, 14, 29},  {1, 14, 31},  {3, 14, 0},   {4, 14, 10},  {5, 14, 11},  {6, 14, 12},  {9, 125, 8},
    {10, 14, 13}, {11, 14, 15}, {13, 14, 17}, {14, 125, 0}, {15, 125, 1}, {16, 14, 21}, {20, 133, 5},
    {21, 133, 6}, {24, 133, 1}, {25, 7, 0},   {28, 133, 2}, {29, 133, 3}, {30, 133, 4},
};

constexpr const char* kName = "ロザナ";
constexpr int32_t kKeeperLayer = 400;
constexpr int32_t kKeeperShift = 170;

uint32_t Faded(int32_t alpha) { return (static_cast<uint32_t>(alpha & 0xFF) << 24) | 0xFFFFFFu; }

void SetupButton(CImageButton& b, CImagePlane* plane, int32_t columns, int32_t column) {
    b.SetMomentary(true);
    b.SetupColumn(plane, columns, 5, column);
}

}  // namespace

int32_t CShopScene::ItemOf(int entry) {
    if (entry < 0 || entry >= kEntryCount) return -1;
    return entry < 30 ? entry : (entry == 30 ? 30 : entry + 1);
}

SPoint CShopScene::SlotPos(int k) {
    const int slot = k % kPageSize;
    return SPoint{slot % 2 == 0 ? 408 : 520, 56 + 40 * slot};
}

CShopScene::CShopScene(CMansionHostMode& host) : CShopScreen(host) {}

CShopScene::~CShopScene() = default;

const CStatus& CShopScene::_Status() const { return m_Owner.Status(); }
CStatus& CShopScene::_Status() { return m_Owner.Status(); }

void CShopScene::Load() {
    CGameState& state = m_Owner.State();
    m_Step = state.m_ShopVisited ? 2 : 0;
    state.m_ShopVisited = 1;
    m_PageCount = 0;
    m_Listed.fill(0);
    m_Selected = -1;
    m_HelpEntry = -1;
    for (int e = 0; e < kEntryCount; ++e) {
        m_Prices[static_cast<size_t>(e)] = Price(e);
        m_Items[static_cast<size_t>(e)] = ItemOf(e);
    }
}

void CShopScene::SaveState(CGameState& state) { state.SetMansionModeWord(CMansionHostMode::SHOP, 0, m_Step); }

void CShopScene::LoadState(const CGameState& state) {
    const int32_t step = state.GetMansionModeWord(CMansionHostMode::SHOP, 0);
    // The open shop is built again from its start; the farewell is said again.
    if (step <= 1) {
        m_Step = step < 0 ? 0 : step;
    } else if (step < 10) {
        m_Step = 2;
    } else if (step < 12) {
        m_Step = 10;
    } else {
        m_Step = 12;
    }
}

bool CShopScene::IsOnSale(int entry) const {
    if (entry == 17 || entry == 19) return false;
    for (int e : kAlways) {
        if (e == entry) return true;
    }
    for (const SCondition& c : kConditions) {
        if (c.entry == entry) return _Status().GetParam(c.category, c.index) != 0;
    }
    return false;
}

bool CShopScene::IsUnavailable(int entry) const {
    const CStatus& s = _Status();
    if (s.GetParam(104, 0) < m_Prices[static_cast<size_t>(entry)]) return true;
    const int32_t item = m_Items[static_cast<size_t>(entry)];
    if (s.GetParam(102, item) >= 1) return true;
    if (item == 17) return s.Words().shopSpecial17 >= 1 || s.GetParam(15, 17) >= 1;
    if (item == 19) return s.Words().shopSpecial19 > 0 || s.GetParam(15, 19) > 0;
    return false;
}

void CShopScene::_Say(const char* text, const char* voice) {
    m_HelpEntry = -1;
    const bool voiced = m_Owner.GetGameMain().GetSystemData().GetVoiceSwitch(ClassifyVoiceName(voice)) != 0;
    m_Owner.Stage().ShowMessageAlt(CSaveRecordStrings{kName, text, voiced ? voice : ""});
}

void CShopScene::_Open() {
    CMainGameScene& stage = m_Owner.Stage();
    stage.SetCancelLock(true);
    stage.SetSkipStopLock(true);
    stage.SetEventPanelSuspended(true);
    StartMansionMusic(stage);
    stage.ClearToBlack();
    // A picture made on a layer stays hidden until it is shown.
    stage.ShowLayerImage(100, kBackground);
    stage.ShowLayer(100);
    stage.ShowLayerImage(kKeeperLayer, kKeeper);
    stage.ShowLayer(kKeeperLayer);
    const SPoint at = stage.GetTalk().GetPosition(kKeeperLayer);
    stage.SetLayerPos(kKeeperLayer, at.x - kKeeperShift, at.y);
    stage.StartScreenChange(1, 20);

    m_TopPlane.LoadFile(kTopBoard, 0, 1);
    m_TopPicturePlane.LoadFile(kTopPicture, 0, 1);
    m_TopPicture.Set(&m_TopPicturePlane, 10, 2);
    m_DigitPlane.LoadFile(kDigits, 0, 1);
    m_Digits.Set(&m_DigitPlane, 14, 1);
    m_PrevPlane.LoadFile(kPrevButton, 0, 1);
    m_NextPlane.LoadFile(kNextButton, 0, 1);
    SetupButton(m_Prev, &m_PrevPlane, 1, 0);
    SetupButton(m_Next, &m_NextPlane, 1, 0);
    m_Prev.SetPosition(kPrevPos.x, kPrevPos.y);
    m_Next.SetPosition(kNextPos.x, kNextPos.y);
    m_GoodsPlane.LoadFile(kGoods, 0, 1);
    for (int e = 0; e < kEntryCount; ++e) SetupButton(m_Goods[static_cast<size_t>(e)], &m_GoodsPlane, kEntryCount, e);
    m_LeavePlane.LoadFile(kLeaveButton, 0, 1);
    SetupButton(m_Leave, &m_LeavePlane, 1, 0);
    m_Leave.SetPosition(kLeavePos.x, kLeavePos.y);
    ListGoods([this](int e) { return IsOnSale(e); });

    m_TopState = 1;
    m_TopX.Set(-800, 0, -kSlideSteps);
    m_TopFade.Set(0, 255, kSlideSteps);
    m_SecondState = 1;
    m_SecondX.Set(800, 0, -kSlideSteps);
    m_SecondFade.Set(0, 255, kSlideSteps);
    _Say("「いらっしゃい、なんにするんだい？」", kGreetingVoice);
}

void CShopScene::ListGoods(const std::function<bool(int)>& onSale) {
    int k = 0;
    for (int e = 0; e < kEntryCount; ++e) {
        m_Listed[static_cast<size_t>(e)] = onSale(e) ? 1 : 0;
        if (!m_Listed[static_cast<size_t>(e)]) continue;
        m_Slot[static_cast<size_t>(e)] = k;
        const SPoint p = SlotPos(k);
        m_Goods[static_cast<size_t>(e)].SetPosition(p.x, p.y);
        ++k;
    }
    // One page when nothing is listed.
    m_PageCount = k == 0 ? 1 : (k - 1) / kPageSize + 1;
    // "next" stays as set up, enabled: in a shop of one page its first press finds the
    // last page and turns it off.
    m_Page = 0;
    m_Prev.Disable();
    _Disable();
}

void CShopScene::_TurnPage(int32_t page) {
    m_Page = page < 0 ? 0 : (page >= m_PageCount ? m_PageCount - 1 : page);
    m_Page > 0 ? m_Prev.Enable() : m_Prev.Disable();
    m_Page < m_PageCount - 1 ? m_Next.Enable() : m_Next.Disable();
}

void CShopScene::_Disable() {
    for (int e = 0; e < kEntryCount; ++e) {
        if (m_Listed[static_cast<size_t>(e)] && IsUnavailable(e)) m_Goods[static_cast<size_t>(e)].Disable();
    }
}

bool CShopScene::_LineShown() {
    const CMessageWindow& window = m_Owner.Stage().GetWindow();
    return !window.IsTextBusy() || window.IsTextHolding();
}

void CShopScene::_ShowHelp(int entry) {
    if (entry == m_HelpEntry) return;
    m_HelpEntry = entry;
    m_Owner.Stage().ShowNameLine(CSaveRecordStrings{"", FillHelp(ShopHelp().GetLine(entry), {}), ""});
}

void CShopScene::_Unselect() {
    if (m_Selected >= 0) m_Goods[static_cast<size_t>(m_Selected)].Enable();
}

void CShopScene::_Buy() {
    if (m_Selected < 0) return;
    m_Owner.GetGameMain().PlayChannel3();
    CStatus& s = _Status();
    s.AddItem(m_Items[static_cast<size_t>(m_Selected)], 1);
    s.AddMoney(-m_Prices[static_cast<size_t>(m_Selected)]);
    m_Goods[static_cast<size_t>(m_Selected)].Disable();
    _Say("「毎度あり！」", kThanksVoice);
}

void CShopScene::_ServeCursor(int32_t mx, int32_t my, bool decide) {
    const bool live = m_SecondState == 2 && m_Step == 3 && !m_Panel.IsOpen();
    auto serve = [&](CImageButton& b, bool on) { on ? b.Update(mx, my, decide) : b.Update(-1, -1, false); };
    serve(m_Prev, live);
    serve(m_Next, live);
    for (int e = 0; e < kEntryCount; ++e) {
        const bool here = m_Listed[static_cast<size_t>(e)] && m_Slot[static_cast<size_t>(e)] / kPageSize == m_Page;
        serve(m_Goods[static_cast<size_t>(e)], live && here);
    }
    serve(m_Leave, live);
}

void CShopScene::RunShop() {
    CGameMain& game = m_Owner.GetGameMain();
    _Disable();
    if (m_SecondState == 1) {
        m_SecondX.Next();
        m_SecondFade.Next();
        if (m_SecondX.IsEnd() && m_SecondFade.IsEnd()) m_SecondState = 2;
    }
    const SPoint mouse = game.GetMouse().GetPosition();
    const bool decide = IsDecidePressed(game.GetKeyboard(), game.GetMouse());
    m_Panel.IsOpen() ? m_Panel.SetCursor(mouse.x, mouse.y, decide) : m_Panel.SetCursor(-1, -1, false);
    _ServeCursor(mouse.x, mouse.y, decide);

    for (int i = 0; i < 2; ++i) {
        CImageButton& b = i == 0 ? m_Prev : m_Next;
        if (b.HoverBegan()) game.PlayChannel1();
        if (b.BecameChecked()) {
            game.PlayChannel0();
            _TurnPage(m_Page + (i == 0 ? -1 : 1));
        }
    }
    for (int e = 0; e < kEntryCount; ++e) {
        CImageButton& b = m_Goods[static_cast<size_t>(e)];
        // A tap shows the help too, before the question opens; the cursor sound is pointing's.
        if (b.HoverBegan()) game.PlayChannel1();
        if (b.PointedOrPressed() && !m_Panel.IsOpen()) _ShowHelp(e);
        if (!b.BecameChecked()) continue;
        m_Selected = e;
        if (!game.GetSystemData().IsConfirmOn()) {
            _Buy();
        } else {
            game.PlayChannel0();
            m_Panel.SetupPanelButtons(7);
            m_Panel.Open();
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (m_Panel.HoverBegan(i)) game.PlayChannel1();
    }
    if (m_Panel.BecameChecked(0)) {
        _Buy();
        m_Panel.Close();
    } else if (m_Panel.BecameChecked(1)) {
        game.PlayChannel2();
        m_Panel.Close();
        _Unselect();
    }
    if (m_Leave.HoverBegan()) game.PlayChannel1();
    if (m_Leave.BecameChecked()) {
        game.PlayChannel0();
        m_Step = 10;
    }
    m_Prev.Step();
    m_Next.Step();
    for (CImageButton& b : m_Goods) b.Step();
    m_Leave.Step();
    m_Panel.Update();
}

void CShopScene::Update() {
    CMainGameScene& stage = m_Owner.Stage();
    CGameMain& game = m_Owner.GetGameMain();
    switch (m_Step) {
    case 0:
        _Status().SetParam(143, 0, 1);
        m_Step = stage.StartScript(kIntroScript) ? 1 : 2;
        return;
    case 1:
        if (stage.GetScriptEndFlag()) m_Step = 2;
        return;
    case 2:
        _Open();
        m_Step = 3;
        break;
    case 3:
        stage.SetCancelLock(true);
        stage.SetSkipStopLock(true);
        if (IsCancelPressed(game.GetKeyboard(), game.GetMouse())) {
            game.PlayChannel2();
            if (m_Panel.IsOpen()) {
                m_Panel.Close();
                _Unselect();
            } else {
                m_Step = 10;
            }
        }
        break;
    case 10:
        _Say("「またよろしく頼むよ！」", kFarewellVoice);
        m_Step = 11;
        break;
    case 11:
        if (_LineShown() && !stage.IsLineVoicePlaying() &&
            (IsDecidePressed(game.GetKeyboard(), game.GetMouse()) || IsCancelPressed(game.GetKeyboard(), game.GetMouse()))) {
            stage.StopLineVoice();
            m_Step = 12;
        }
        break;
    case 12:
        m_Host.ReturnToMenu(0, 0);
        stage.ResetMessageState();
        stage.SetEventPanelSuspended(false);
        m_Step = 13;
        break;
    default: break;
    }
    if (m_TopState == 1) {
        m_TopX.Next();
        m_TopFade.Next();
        if (m_TopX.IsEnd() && m_TopFade.IsEnd()) m_TopState = 2;
    }
    RunShop();
}

void CShopScene::Draw() {
    if (m_Step < 2 || m_TopState == 0) return;
    const uint32_t top = Faded(m_TopFade.GetValue());
    const int32_t tx = m_TopX.GetValue();
    m_TopPlane.Draw(tx, 0, top);
    int64_t money = _Status().GetParam(104, 0);
    for (const SPoint& p : kMoneyPlaces) {
        m_Digits.DrawCell(static_cast<int32_t>(money % 10), 0, p.x + tx, p.y, top);
        money /= 10;
        if (money == 0) break;
    }
    if (m_SecondState == 0) return;
    const uint32_t second = Faded(m_SecondFade.GetValue());
    CMatrix4 m;
    MatrixTranslation(&m, static_cast<float>(m_SecondX.GetValue()), 0.0f, 0.0f);
    for (int e = 0; e < kEntryCount; ++e) {
        if (m_Listed[static_cast<size_t>(e)] && m_Slot[static_cast<size_t>(e)] / kPageSize == m_Page) {
            m_Goods[static_cast<size_t>(e)].Draw(second, m);
        }
    }
    m_Prev.Draw(second, m);
    m_Next.Draw(second, m);
    m_Leave.Draw(second, m);
    m_Panel.Draw();
}

void CShopScene::OnDeviceRestored() {
    m_Prev.Restore();
    m_Next.Restore();
    for (CImageButton& b : m_Goods) b.Restore();
    m_Leave.Restore();
    m_Panel.OnDeviceRestored();
}
