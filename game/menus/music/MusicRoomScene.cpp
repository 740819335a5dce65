#include "game/menus/music/MusicRoomScene.h"

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/sound/FadeSound.h"
#include "game/core/BgmList.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"

namespace {

int32_t Wrap(int32_t n) {
    const int32_t count = CMusicRoomScene::kTrackCount;
    return ((n % count) + count) % count;
}

}  // namespace

CMusicRoomScene::~CMusicRoomScene() { Stop(); }

CFadeSound* CMusicRoomScene::_Music() { return m_Game.GetChannel(kMusicChannel); }

bool CMusicRoomScene::_IsUnlocked(int32_t n) const {
    return n >= 0 && n < kTrackCount && m_Game.GetSystemData().GetMusicUnlock(n) != 0;
}

bool CMusicRoomScene::IsPlayable(int32_t n) const {
    return _IsUnlocked(n) && !m_Unloadable[static_cast<size_t>(n)];
}

bool CMusicRoomScene::IsModeOn(int mode) const {
    switch (mode) {
    case MODE_REPEAT_ONE: return m_RepeatOne != 0;
    case MODE_REPEAT_ALL: return m_RepeatAll != 0;
    case MODE_SHUFFLE: return m_Shuffle != 0;
    default: return false;
    }
}

int32_t CMusicRoomScene::GetSavedVolume(int group, int slot) const {
    if (group < 0 || group >= CSoundBank::kGroupCount || slot < 0 || slot >= CSoundBank::kSlotCount) {
        return 0;
    }
    return m_SavedVolumes[static_cast<size_t>(group * CSoundBank::kSlotCount + slot)];
}

void CMusicRoomScene::Load() {
    BeginWideBackground();
    m_DimPlane.Load();
    m_TitlePlane.LoadFile(kTitle);
    m_SubTitlePlane.LoadFile(kSubTitle);
    m_TabBar.Load(m_Game, kOwnTab);

    m_ControlSheet.LoadFile(kControlSheet);
    for (int i = 0; i < kControlCount; ++i) {
        CImageButton& b = m_ControlButtons[static_cast<size_t>(i)];
        b.SetupColumn(&m_ControlSheet, kControlCount, 5, i);
        b.SetPosition(kControlPlaces[static_cast<size_t>(i)].x, kControlPlaces[static_cast<size_t>(i)].y);
    }
    m_ControlButtons[CONTROL_PAUSE].SetReactWhenChecked(true);
    for (int i : {CONTROL_PREVIOUS, CONTROL_NEXT, CONTROL_BACK}) {
        m_ControlButtons[static_cast<size_t>(i)].SetMomentary(true);
    }

    m_ModeSheet.LoadFile(kModeSheet);
    for (int i = 0; i < kModeCount; ++i) {
        CImageButton& b = m_ModeButtons[static_cast<size_t>(i)];
        b.SetupColumn(&m_ModeSheet, kModeCount, 5, i);
        b.SetPosition(kModePlaces[static_cast<size_t>(i)].x, kModePlaces[static_cast<size_t>(i)].y);
        b.SetReactWhenChecked(true);
    }

    m_TrackTitleSheet.LoadFile(kTrackTitleSheet);
    m_TrackTitleCells.Set(&m_TrackTitleSheet, kTrackCount, 1);

    m_TrackSheet.LoadFile(kTrackSheet);
    bool anyUnlocked = false;
    for (int32_t n = 0; n < kTrackCount; ++n) {
        CButton& b = m_TrackButtons[static_cast<size_t>(n)];
        b.SetupColumn(&m_TrackSheet, kTrackCount, 5, n);
        b.SetPosition(TrackPlace(n).x, TrackPlace(n).y);
        if (_IsUnlocked(n)) {
            anyUnlocked = true;
        } else {
            b.Reset();
        }
    }

    Stop();
    if (!anyUnlocked) {
        for (int i = CONTROL_PLAY; i <= CONTROL_NEXT; ++i) {
            m_ControlButtons[static_cast<size_t>(i)].Lock();
        }
        for (CImageButton& b : m_ModeButtons) {
            b.Lock();
        }
    }
    SilenceSoundBank();
}

void CMusicRoomScene::Update() {
    m_Game.StepWideBackground();

    CImageButton& previous = m_ControlButtons[CONTROL_PREVIOUS];
    CImageButton& next = m_ControlButtons[CONTROL_NEXT];
    for (CImageButton* b : {&previous, &next}) {
        if (!m_Playing) {
            b->Lock();
        } else if (b->IsLocked()) {
            b->SetUnchecked();
        }
    }

    // The tab bar feeds, steps and sounds its own buttons (no pointer during a
    // transition).  The player's buttons follow the pointer then but take no click:
    // their answers below are skipped during a transition, and a button switched on
    // without its answer would stay on, silent, and refuse the click that plays.
    const int32_t tab = m_TabBar.Update(m_Game);
    const SPoint at = m_Game.GetMouse().GetPosition();
    const bool decide = !IsTopSceneInTransition() && IsDecidePressed();
    auto feed = [&](CButton& b) {
        b.Update(at.x, at.y, decide);
        b.Step();
    };
    for (CImageButton& b : m_ControlButtons) feed(b);
    for (CImageButton& b : m_ModeButtons) feed(b);
    for (CButton& b : m_TrackButtons) feed(b);

    if (IsTopSceneInTransition()) {
        return;
    }
    if (tab >= 0) {
        // The bar played the decide sound and asked for its scene.
        RestoreSoundBank();
        if (CFadeSound* music = _Music()) music->FadeOut(kMusicFadeOutMs);
    }
    if (IsCancelPressed()) {
        m_Game.PlayChannel2();
        _Leave(true);
        return;
    }
    for (int i = 0; i < kControlCount; ++i) {
        const CImageButton& b = m_ControlButtons[static_cast<size_t>(i)];
        if (b.BecameChecked() || (i == CONTROL_PAUSE && b.BecameUnchecked())) {
            _Control(i);
        }
    }
    _Modes();
    for (int32_t n = 0; n < kTrackCount; ++n) {
        if (m_TrackButtons[static_cast<size_t>(n)].BecameChecked()) {
            PlayTrack(n);
        }
    }
    CheckTrackEnd();
}

void CMusicRoomScene::_Leave(bool viaReturn) {
    RestoreSoundBank();
    if (viaReturn) {
        RequestReturnScene(kTransition, kTransitionFrames);
    }
    if (CFadeSound* music = _Music()) music->FadeOut(kMusicFadeOutMs);
}

void CMusicRoomScene::_Control(int i) {
    switch (i) {
    case CONTROL_PLAY: PlayTrack(m_Shuffle ? _Draw() : 0); break;
    case CONTROL_PAUSE: PauseToggle(); break;
    case CONTROL_STOP: Stop(); break;
    case CONTROL_PREVIOUS:
    case CONTROL_NEXT: {
        const int32_t direction = i == CONTROL_NEXT ? 1 : -1;
        const int32_t steps = m_Shuffle ? _Draw() : 1;
        m_Track = Wrap(m_Track + direction * steps);
        if (!IsPlayable(m_Track)) {
            _Step(direction);
        }
        PlayTrack(m_Track);
        break;
    }
    case CONTROL_BACK: _Leave(true); break;
    default: break;
    }
}

void CMusicRoomScene::_Modes() {
    uint8_t* flags[kModeCount] = {&m_RepeatOne, &m_RepeatAll, &m_Shuffle};
    for (int i = 0; i < kModeCount; ++i) {
        const CImageButton& b = m_ModeButtons[static_cast<size_t>(i)];
        if (b.BecameChecked()) {
            for (int j = 0; j < kModeCount; ++j) {
                *flags[j] = i == j ? 1 : 0;
                if (j != i) m_ModeButtons[static_cast<size_t>(j)].SetUnchecked();
            }
        } else if (b.BecameUnchecked()) {
            *flags[i] = 0;
        }
    }
}

void CMusicRoomScene::PauseToggle() {
    CFadeSound* music = _Music();
    if (!m_Paused) {
        m_Paused = 1;
        if (music && music->IsPlaying()) {
            music->Pause();
        } else {
            // Nothing to hold: the button goes off again, the state stays for the
            // next press.
            m_ControlButtons[CONTROL_PAUSE].SetUnchecked();
        }
    } else {
        if (music) music->Resume();
        m_Paused = 0;
    }
}

int32_t CMusicRoomScene::_Draw() {
    CRandom random;
    return static_cast<int32_t>(random.Random(kTrackCount));
}

bool CMusicRoomScene::_Step(int32_t direction) {
    // A full round at most: with nothing playable the search gives up rather than
    // turning for ever.
    for (int32_t i = 1; i <= kTrackCount; ++i) {
        const int32_t n = Wrap(m_Track + direction * i);
        if (IsPlayable(n)) {
            m_Track = n;
            return true;
        }
    }
    return false;
}

bool CMusicRoomScene::NextUnlocked() { return _Step(1); }

bool CMusicRoomScene::PrevUnlocked() { return _Step(-1); }

void CMusicRoomScene::Next() {
    m_Track = Wrap(m_Track + 1);
    if (!IsPlayable(m_Track)) {
        NextUnlocked();
    }
    PlayTrack(m_Track);
}

void CMusicRoomScene::PlayTrack(int32_t n) {
    m_Track = Wrap(n);
    CFadeSound* music = _Music();
    const std::vector<std::string>& files = LoadBgmList();
    // A track whose file cannot be played is passed over for the rest of the visit,
    // so that a repeating mode does not load it again every frame.
    for (int32_t tries = 0; tries < kTrackCount; ++tries) {
        if (!IsPlayable(m_Track) && !NextUnlocked()) {
            break;
        }
        const size_t index = static_cast<size_t>(m_Track);
        const std::string file = index < files.size() ? files[index] : std::string();
        if (music && music->Load(file)) {
            music->SetVolume(m_Game.GetSystemData().m_MusicVolume * 10);
            music->SetPan(0);
            if (music->Play(false, 0)) {
                CImageButton& pause = m_ControlButtons[CONTROL_PAUSE];
                m_ControlButtons[CONTROL_PLAY].SetChecked();
                pause.SetUnchecked();
                m_ControlButtons[CONTROL_STOP].SetUnchecked();
                _SelectTrackButton(m_Track);
                m_Paused = 0;
                m_Playing = 1;
                return;
            }
        }
        DebugPrintf("CMusicRoomScene::PlayTrack() 曲を再生できません[%d][%s]", m_Track, file.c_str());
        m_Unloadable[index] = true;
        m_TrackButtons[index].Lock();
    }
    Stop();
}

void CMusicRoomScene::_SelectTrackButton(int32_t n) {
    for (int32_t i = 0; i < kTrackCount; ++i) {
        CButton& b = m_TrackButtons[static_cast<size_t>(i)];
        if (i == n) {
            b.SetChecked();
        } else {
            b.SetUnchecked();
        }
        if (m_Unloadable[static_cast<size_t>(i)]) {
            b.Lock();
        }
    }
}

void CMusicRoomScene::Stop() {
    m_ControlButtons[CONTROL_PLAY].SetUnchecked();
    m_ControlButtons[CONTROL_PAUSE].Lock();
    m_ControlButtons[CONTROL_STOP].SetChecked();
    m_Playing = 0;
    m_Paused = 0;
    if (CFadeSound* music = _Music()) music->Stop();
    _SelectTrackButton(-1);
    m_Track = 0;
}

void CMusicRoomScene::CheckTrackEnd() {
    if (!m_Playing) {
        return;
    }
    // A paused channel still counts as playing, so a held track is not taken as ended.
    CFadeSound* music = _Music();
    if (music && music->IsPlaying()) {
        return;
    }
    if (m_RepeatOne) {
        PlayTrack(m_Track);
    } else if (m_RepeatAll) {
        Next();
    } else if (m_Shuffle) {
        for (int32_t k = _Draw(); k > 0; --k) {
            NextUnlocked();
        }
        PlayTrack(m_Track);
    } else {
        Stop();
    }
}

void CMusicRoomScene::SilenceSoundBank() {
    CSoundBank& bank = m_Game.GetSoundBank();
    for (int g = 0; g < CSoundBank::kGroupCount; ++g) {
        for (int s = 0; s < CSoundBank::kSlotCount; ++s) {
            m_SavedVolumes[static_cast<size_t>(g * CSoundBank::kSlotCount + s)] = bank.GetVolume(g, s);
            bank.FadeVolume(g, s, 0, kBankFadeMs);
        }
    }
}

void CMusicRoomScene::RestoreSoundBank() {
    CSoundBank& bank = m_Game.GetSoundBank();
    for (int g = 0; g < CSoundBank::kGroupCount; ++g) {
        for (int s = 0; s < CSoundBank::kSlotCount; ++s) {
            bank.FadeVolume(g, s, GetSavedVolume(g, s), kBankFadeMs);
        }
    }
}

void CMusicRoomScene::Draw() {
    m_Game.DrawWideBackground();
    m_DimPlane.Draw();
    m_TitlePlane.Draw(kTitlePlace.x, kTitlePlace.y);
    m_SubTitlePlane.Draw(kSubTitlePlace.x, kSubTitlePlace.y);
    m_TabBar.Draw();
    for (CImageButton& b : m_ControlButtons) b.DrawPlain();
    for (CImageButton& b : m_ModeButtons) b.DrawPlain();
    for (CButton& b : m_TrackButtons) b.DrawPlain();
    if (m_Playing) {
        DrawCell(m_TrackTitleCells, m_Track, 0, kTrackTitlePlace.x, kTrackTitlePlace.y);
    }
}

void CMusicRoomScene::OnDeviceRestored() {
    m_DimPlane.Restore();
    m_TabBar.Restore();
    for (CImageButton& b : m_ControlButtons) b.Restore();
    for (CImageButton& b : m_ModeButtons) b.Restore();
    for (CButton& b : m_TrackButtons) b.Restore();
}
