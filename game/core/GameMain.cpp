#include "game/core/GameMain.h"

#include <filesystem>
#include <system_error>

#include "engine/base/AppManager.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/d3d/Screen.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/DirectSound.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/FadeSoundList.h"
#include "engine/sound/SoundBank.h"
#include "game/core/InGameScene.h"
#include "game/core/ReadHistory.h"
#include "game/core/SaveData.h"
#include "game/core/SaveFolder.h"
#include "game/core/SceneFactory.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/wide/WideBackground.h"
#include "platform/window/PlatformWindow.h"

CGameMain* GetGameMain() { return dynamic_cast<CGameMain*>(CAppManager::GetMainLoop(0)); }

CGameMain::CGameMain() : CGameMain(SOptions{}) {}

CGameMain::CGameMain(SOptions options) : CMainLoopBase(options.clock), m_Options(std::move(options)) { _Build(); }

CGameMain::~CGameMain() { Shutdown(); }

void CGameMain::_Step(const char* step) {
    if (m_Options.onStep) {
        m_Options.onStep(step);
    }
}

void CGameMain::_Build() {
    // The main-loop base came first, with the keyboard, the mouse and the frame timer.
    _Step("CMainLoopBase");

    m_DirectSound = std::make_unique<CDirectSound>();
    if (!m_DirectSound->Create(GetHWnd(), m_Options.manualSound ? CDirectSound::OUTPUT_MANUAL
                                                                : CDirectSound::OUTPUT_SYSTEM)) {
        DebugPrintf("CGameMain::CGameMain() DirectSoundの作成に失敗");
    }
    _Step("CDirectSound");

    for (auto& channel : m_Channels) {
        channel = std::make_unique<CFadeSound>(m_DirectSound.get());
    }
    _Step("CFadeSound");
    m_VoiceList = std::make_unique<CFadeSoundList>(m_DirectSound.get());
    _Step("CFadeSoundList");

    m_ReadHistory = std::make_unique<CReadHistory>();
    _Step("CReadHistory");
    // Reads save\cfg.sav at once (the defaults when it cannot).
    m_SystemData = std::make_unique<CSystemData>();
    _Step("CSystemData");
    m_SoundBank = std::make_unique<CSoundBank>(m_DirectSound.get());
    _Step("CSoundBank");

    std::error_code ec;
    std::filesystem::create_directories(ToNativePath("save"), ec);
    if (ec) {
        DebugPrintf("CGameMain::CGameMain() saveフォルダを作成できません[%s]", ec.message().c_str());
    }
    RemoveStaleSaveTemps();
    _Step("save");

    m_Screen = std::make_unique<CScreen>();
    m_Screen->Create(GetHWnd(), m_SystemData->m_ScreenMode == 0, m_Options.reportPath);
    _Step("CScreen");
    m_WideBackground = std::make_unique<CWideBackground>();

    ISceneFactory* factory = m_Options.sceneFactory;
    if (!factory) {
        m_OwnFactory = std::make_unique<CSceneFactory>(*this);
        factory = m_OwnFactory.get();
    }
    _Step("CSceneFactory");
    m_SceneManager = std::make_unique<CSceneManager>();
    m_SceneManager->SetFactory(factory);
    _Step("CSceneManager");

    m_SaveData = std::make_unique<CSaveData>();
    _Step("CSaveData");
    if (m_Options.inGameSceneMaker) {
        m_RaisingScene = m_Options.inGameSceneMaker(*this, false);
        _Step("CRaisingScene");
    }

    GetFrameTimer().SetFps(60);
    _Step("SetFps");
    m_ReadHistory->Load(CReadHistory::kDefaultPath);
    _Step("read.sav");
    CAppManager::SetMainLoop(this);
    _Step("CAppManager");
    m_EventTable = m_Options.eventTable;
    if (!m_EventTable) {
        // Without the file the game runs on with no events.
        m_OwnEventTable = std::make_unique<CEventTable>();
        m_OwnEventTable->Load(CEventTable::kDefaultPath);
        m_EventTable = m_OwnEventTable.get();
    }
    _Step("CEventTable");
    m_SaveData->Load(CSaveData::SlotPath(0));
    _Step("save00.sav");
}

bool CGameMain::Shutdown() {
    if (m_ShutDown) {
        return m_ExitSavesWritten;
    }
    m_ShutDown = true;
    // Its textures go before anything they depend on; the object itself goes with the
    // other members.
    m_WideBackground->Release();
    // The automatic save takes only a game of the player's: a never-restored kept
    // scene, a replay or a developer's game would replace the game read from
    // save\save00.sav at start.  The record that takes a game holds one: the title
    // offers to continue it.
    if (IsPlayersGameRunning() && WriteCurrentSave()) {
        m_SaveData->m_Used = 1;
    }
    _Step("WriteCurrentSave");
    // Each save is tried whatever became of the one before.
    auto tried = [this](bool written, const std::string& path) {
        if (!written) m_FailedExitSaves.push_back(path);
    };
    CSaveData& automatic = m_ExitRecord ? *m_ExitRecord : *m_SaveData;
    tried(automatic.Save(CSaveData::SlotPath(0)), CSaveData::SlotPath(0));
    _Step("save00.sav");
    tried(m_ReadHistory->Save(CReadHistory::kDefaultPath), CReadHistory::kDefaultPath);
    _Step("read.sav");
    tried(m_SystemData->Save(CSystemData::kDefaultPath), CSystemData::kDefaultPath);
    _Step("cfg.sav");
    m_ExitSavesWritten = m_FailedExitSaves.empty();
    // The scenes go while every service they use still lives; the kept in-game scene
    // is the game object's own and goes with it.
    m_SceneManager->Reset();
    if (CAppManager::GetMainLoop(0) == this) {
        CAppManager::SetMainLoop(nullptr);
    }
    return m_ExitSavesWritten;
}

CScreenRenderer* CGameMain::GetRenderer() { return m_Screen ? m_Screen->GetRenderer() : nullptr; }

CFadeSound* CGameMain::GetChannel(int index) {
    if (index < 0 || index >= kChannelCount) {
        return nullptr;
    }
    return m_Channels[static_cast<size_t>(index)].get();
}

std::unique_ptr<IInGameScene> CGameMain::CreateFreshInGameScene() {
    if (!m_Options.inGameSceneMaker) {
        return nullptr;
    }
    return m_Options.inGameSceneMaker(*this, true);
}

void CGameMain::Begin(EStart start, const std::vector<std::string>& scripts, int32_t scene) {
    CScreenRenderer* renderer = GetRenderer();
    if (renderer->BeginScene()) {
        renderer->Clear(0xFF000000u);
        renderer->EndScene();
        renderer->Present();
    }
    for (int i = 0; i < kChannelSoundCount; ++i) {
        // The channels say nothing of a missing file (a damaged one is logged as it is
        // decoded): the menus would go silent with no word in the log.
        if (!CFile::Exists(kChannelSounds[i])) ReportUnreadableFile("CGameMain::Begin()", kChannelSounds[i]);
        m_Channels[static_cast<size_t>(i)]->Load(kChannelSounds[i]);
    }
    m_DeveloperStart = start != START_BOOT;
    // A developer's start is no game of the player's, whatever it does: a load takes a
    // slot into the current record and a replay the game on the screen, so the record
    // read at start is kept aside now for the automatic save at exit.
    m_ExitRecord = m_DeveloperStart ? std::make_unique<CSaveData>(*m_SaveData) : nullptr;
    switch (start) {
    case START_VIEWER:
        m_Viewer = true;
        m_ViewerScripts = scripts;
        m_SceneManager->GoTo(kKeptInGameScene);
        break;
    case START_TOOL: m_SceneManager->GoTo(kKeptInGameScene); break;
    case START_SCENE: m_SceneManager->GoTo(scene); break;
    case START_BOOT:
    default: m_SceneManager->GoTo(kBootScene); break;
    }
    m_SceneManager->Transition(0, 0);
    ApplySoundVolumes();
    if (WindowHandle window = GetHWnd()) {
        window->Show(true);
    }
}

bool CGameMain::IsPlayersGameRunning() const {
    return m_GameInProgress != 0 && m_ReplayFlag == 0 && !m_DeveloperStart;
}

bool CGameMain::WriteCurrentSave() {
    // A replay is never the running game: the kept scene waits under it.
    if (!m_RaisingScene || m_ReplayFlag != 0) {
        return false;
    }
    m_RaisingScene->WriteSave(*m_SaveData);
    return true;
}

bool CGameMain::RenderGameToTexture(const std::string& path) {
    if (!m_RaisingScene) {
        DebugPrintf("CGameMain::RenderGameToTexture() ゲーム中シーンがありません[%s]", path.c_str());
        return false;
    }
    return m_RaisingScene->RenderToTexture(path);
}

void CGameMain::ApplySoundVolumes() {
    const CSystemData& sd = *m_SystemData;
    // A mode whose display change failed is not tried again until another is stored:
    // the settings menu applies the volumes every frame while a slider is held.
    if (sd.m_ScreenMode != m_FailedScreenMode) {
        m_FailedScreenMode = -1;
    }
    if (sd.m_ScreenMode != GetScreenMode() && sd.m_ScreenMode != m_FailedScreenMode) {
        SetScreenMode(sd.m_ScreenMode);
        GetRenderer()->SetWindowed(GetScreenMode() == 0);
        if (GetScreenMode() != sd.m_ScreenMode) {
            m_FailedScreenMode = sd.m_ScreenMode;
        }
    }
    const int effect = sd.m_EffectVolume;
    const int music = sd.m_MusicVolume;
    const int voice = sd.m_VoiceVolume;
    for (int i = 0; i < 4; ++i) {
        m_Channels[static_cast<size_t>(i)]->SetVolume((effect * 50 / 100) * 10);
    }
    m_Channels[4]->SetVolume(music * 10);
    m_Channels[5]->SetVolume((effect * 30 / 100) * 10);
    m_Channels[6]->SetVolume((effect * 20 / 100) * 10);
    m_VoiceList->SetVolume(voice * 10);
    m_SoundBank->SetGroupVolume(CSoundBank::GROUP_MUSIC, music);
    m_SoundBank->SetGroupVolume(CSoundBank::GROUP_EFFECT, effect);
    m_SoundBank->SetGroupVolume(CSoundBank::GROUP_VOICE, voice);
}

void CGameMain::PlayChannel(int channel) {
    CFadeSound* sound = GetChannel(channel);
    if (!sound) {
        DebugPrintf("CGameMain::PlayChannel() チャンネル番号が不正です[%d]", channel);
        return;
    }
    sound->Play(false, 0);
}

void CGameMain::_RestoreLostDevice() {
    if (!GetRenderer()->RestoreDevice()) {
        return;  // tried again next frame
    }
    ++m_DeviceRestores;
    m_SceneManager->OnDeviceRestored();
    m_WideBackground->Reload();
}

void CGameMain::FrameStep() {
    const bool active = IsWindowActive();
    if (active && GetRenderer()->IsDeviceLost()) {
        _RestoreLostDevice();
    }
    const int screenMode = GetScreenMode();
    if (screenMode != m_SeenScreenMode) {
        m_SeenScreenMode = screenMode;
        m_SystemData->m_ScreenMode = screenMode;
    }
    // Before the update, so that a movie the hook resumes is seen running by its mode.
    if (m_MovieHook) {
        m_MovieHook->OnMovieFrame();
    }
    CFrameTimer& timer = GetFrameTimer();
    if (active) {
        timer.BeginUpdate();
        OnUpdate();
        timer.EndUpdate();
    }
    if (!timer.IsSkipDraw()) {
        OnDraw();
    }
}

void CGameMain::OnUpdate() {
    ++m_Updates;
    m_SoundBank->Update();
    for (auto& channel : m_Channels) {
        channel->Update();
    }
    m_VoiceList->Update();
    m_SceneManager->Update();
    // After the scenes' update, so that a screen ending its use and the next one
    // beginning it in the same update keep the pictures; and not during a transition,
    // which still draws the outgoing screen.
    if (m_WideBackgroundUsers == 0 && !m_SceneManager->IsInTransition() && m_WideBackground->IsLoaded()) {
        m_WideBackground->Release();
    }
}

bool CGameMain::BeginWideBackground(bool showPart0, bool showPart1) {
    ++m_WideBackgroundUsers;
    showPart0 ? m_WideBackground->ShowPart0() : m_WideBackground->HidePart0();
    showPart1 ? m_WideBackground->ShowPart1() : m_WideBackground->HidePart1();
    return m_WideBackground->IsLoaded() || m_WideBackground->Load();
}

void CGameMain::EndWideBackground() {
    if (m_WideBackgroundUsers <= 0) {
        DebugPrintf("CGameMain::EndWideBackground() 使用数が0です");
        return;
    }
    --m_WideBackgroundUsers;
}

void CGameMain::StepWideBackground() { m_WideBackground->StepScroll(); }

void CGameMain::DrawWideBackground() { m_WideBackground->Draw(); }

void CGameMain::OnDraw() {
    if (!m_DrawEnabled) {
        return;
    }
    ++m_Draws;
    CScreenRenderer* renderer = GetRenderer();
    if (!renderer->BeginScene()) {
        return;
    }
    renderer->Clear(0xFF000000u);
    m_SceneManager->Draw();
    renderer->EndScene();
    renderer->Present();
}
