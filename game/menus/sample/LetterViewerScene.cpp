#include "game/menus/sample/LetterViewerScene.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Log.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"
#include "game/core/SceneRequest.h"
#include "game/stage/scene/MainGameScene.h"

namespace {

// The letter voices play in the first voice slot of the bank.
constexpr int kVoiceGroup = CSoundBank::GROUP_VOICE;
constexpr int kVoiceSlot = 0;

// The in-game scene may build its stage anew, so it is asked for at every use.
class CKeptStage : public ILetterViewerStage {
public:
    explicit CKeptStage(CGameMain& game) : m_Game(game) {}
    bool StartScript(const std::string& path) override {
        CMainGameScene* stage = _Stage();
        return stage && stage->StartScript(path);
    }
    bool GetScriptEndFlag() const override {
        const CMainGameScene* stage = _Stage();
        return !stage || stage->GetScriptEndFlag();
    }
    void Update() override {
        if (CMainGameScene* stage = _Stage()) stage->Update();
    }
    void Draw() override {
        if (CMainGameScene* stage = _Stage()) stage->Draw();
    }
    void OnDeviceRestored() override {
        if (CMainGameScene* stage = _Stage()) stage->OnDeviceRestored();
    }

private:
    CMainGameScene* _Stage() const {
        IInGameScene* scene = m_Game.GetRaisingScene();
        return scene ? scene->GetStage() : nullptr;
    }
    CGameMain& m_Game;
};

}  // namespace

std::unique_ptr<ILetterViewerStage> MakeKeptLetterViewerStage(CGameMain& game) {
    return std::make_unique<CKeptStage>(game);
}

CLetterViewerScene::CLetterViewerScene(CGameMain& game, std::unique_ptr<ILetterViewerStage> stage)
    : m_Game(game), m_Stage(std::move(stage)) {}

CLetterViewerScene::~CLetterViewerScene() = default;

void CLetterViewerScene::Load() {
    if (!LoadLetterTable(kLetterTableFile, &m_Entries)) {
        return;
    }
    m_Index = 0;
    m_State = STATE_NEXT;
    m_Game.m_ReplayFlag = 1;
}

void CLetterViewerScene::_ShowEntry(const CLetterEntry& entry) {
    m_Picture.Load(entry.picture, 0, 0);
    // Every voice of the letter in turn, whatever the voice switches say; a name left
    // empty in the table is no file to play.
    std::vector<std::string> voices;
    std::string logged;
    for (const std::string& v : entry.voices) {
        if (v.empty()) continue;
        logged += (voices.empty() ? "" : "/") + v;
        voices.push_back(v);
    }
    CSoundBank& bank = m_Game.GetSoundBank();
    if (voices.empty()) {
        bank.Unload(kVoiceGroup, kVoiceSlot);
    } else {
        bank.SetGroupList(kVoiceGroup, voices);
        bank.SetVolume(kVoiceGroup, kVoiceSlot, 100);
        bank.PlayFromList(kVoiceGroup, kVoiceSlot);
    }
    DebugPrintf("[Script] %s : [BMP] %s : [Voice] %s", entry.script.c_str(), entry.picture.c_str(), logged.c_str());
}

void CLetterViewerScene::Update() {
    switch (m_State) {
    case STATE_NEXT:
        if (m_Index < 0 || static_cast<size_t>(m_Index) >= m_Entries.size()) {
            m_State = STATE_FINISHED;
            break;
        }
        _ShowEntry(m_Entries[m_Index]);
        m_State = STATE_SHOWING;
        break;
    case STATE_SHOWING:
        if (IsDecidePressed() || IsCancelPressed() || m_Game.GetKeyboard().IsDown(VKey::kControl)) {
            m_State = STATE_SCRIPT;
            const std::string& script = m_Entries[m_Index].script;
            m_ScriptStarted = m_Stage && m_Stage->StartScript(script);
            if (!m_ScriptStarted) {
                DebugPrintf("CLetterViewerScene::Update() スクリプトを再生できません[%s]", script.c_str());
            }
            m_Picture.Release();
        }
        break;
    case STATE_SCRIPT:
        if (!m_ScriptStarted || m_Stage->GetScriptEndFlag()) {
            ++m_Index;
            m_State = STATE_NEXT;
        }
        break;
    default: break;
    }
    if (m_Stage) {
        m_Stage->Update();
    }
}

void CLetterViewerScene::Draw() {
    if (m_State == STATE_NEXT || m_State == STATE_SHOWING) {
        if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
            renderer->Clear(0xFF000000u);
        }
        m_Picture.Draw(0, 0, 0xFFFFFFFFu);
    } else if (m_State == STATE_SCRIPT && m_Stage) {
        m_Stage->Draw();
    }
}

void CLetterViewerScene::OnDeviceRestored() {
    if (m_Stage) {
        m_Stage->OnDeviceRestored();
    }
}
