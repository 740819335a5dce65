#pragma once
// The save and load screens on the demo data, in a whole game whose kept in-game scene
// is a stand-in: its game state is the running game, it draws a picture placed by the
// money, has a real stage (for the sound groups a load stops) and writes its thumbnail
// as the 4 × 4 box-filtered picture of its own frame.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DTexture.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneManager.h"
#include "game/core/GameState.h"
#include "game/core/InGameScene.h"
#include "game/core/SaveData.h"
#include "game/core/SceneFactory.h"
#include "game/core/SystemData.h"
#include "game/menus/save/SaveLoadScene.h"
#include "game/stage/scene/MainGameScene.h"
#include "tests/engine/draw/DrawTestUtil.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"
#include "tools/kit/SoundFiles.h"

namespace savetest {

constexpr const char* kRoom = "bg\\room.bmp";
constexpr const char* kGirl = "obj\\girl.bmp";
// Long sounds of the three groups, for the stage to play.
constexpr const char* kSounds[3] = {"bgm\\loop.ogg", "se\\loop.ogg", "voice\\me_0001.ogg"};

// 200 × 150 from an 800 × 600 RGB frame, each pixel the mean of a 4 × 4 box.
inline std::vector<uint32_t> BoxFilter(const std::vector<uint32_t>& rgb) {
    std::vector<uint32_t> out(200u * 150u);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            uint32_t sum[3] = {0, 0, 0};
            for (int dy = 0; dy < 4; ++dy) {
                for (int dx = 0; dx < 4; ++dx) {
                    const uint32_t p = rgb[static_cast<size_t>(y * 4 + dy) * 800 + static_cast<size_t>(x * 4 + dx)];
                    for (int c = 0; c < 3; ++c) sum[c] += (p >> (16 - 8 * c)) & 0xFF;
                }
            }
            out[static_cast<size_t>(y) * 200 + static_cast<size_t>(x)] =
                0xFF000000u | (sum[0] / 16) << 16 | (sum[1] / 16) << 8 | sum[2] / 16;
        }
    }
    return out;
}

class CKeptGame : public IInGameScene {
public:
    explicit CKeptGame(CGameMain& game) : m_Game(game) {}
    void Load() override {
        if (!m_Room.IsLoaded()) m_Room.LoadFile(kRoom);
        if (!m_Girl.IsLoaded()) m_Girl.LoadFile(kGirl);
    }
    void Draw() override {
        const int32_t money = m_State.GetStatus().GetParam(104, 0);
        m_Room.Draw(0, 0);
        m_Girl.Draw(money % 600, 100 + money / 600 % 200);
    }
    void WriteSave(CSaveData& save) override {
        ++writes;
        save.GetGameState() = m_State;
    }
    void RestoreFromSave(const CSaveData& save) override {
        ++restores;
        m_State = save.GetGameState();
    }
    bool RenderToTexture(const std::string& path) override {
        ++thumbnails;
        if (beforeThumbnail) beforeThumbnail();
        if (failThumbnail) return false;
        CD3DDevice* device = CAppManager::GetD3DDevice();
        CD3DTexture target;
        if (!device || !target.CreateRenderTarget(device, 800, 600)) return false;
        device->SetRenderTarget(&target);
        device->Clear(0xFF000000u);
        Draw();
        const std::vector<uint32_t> rgb = drawtest::ReadTarget(*device);
        device->SetRenderTarget(static_cast<const CD3DTexture*>(nullptr));
        const std::vector<uint32_t> small = BoxFilter(rgb);
        CImagePlane plane;
        return plane.CreateFromArgb(small.data(), 200, 150, 200) && plane.SaveBitmap(path);
    }
    CGameState* GetGameState() override { return &m_State; }
    CMainGameScene* GetStage() override {
        if (!m_Stage) m_Stage = std::make_unique<CMainGameScene>(&m_Game, nullptr, false);
        return m_Stage.get();
    }
    CStatus& Status() { return m_State.GetStatus(); }

    bool failThumbnail = false;
    // Runs as the thumbnail is asked for: what a kill at that moment would leave.
    std::function<void()> beforeThumbnail;
    int writes = 0;
    int restores = 0;
    int thumbnails = 0;

private:
    CGameMain& m_Game;
    CGameState m_State;
    CImagePlane m_Room;
    CImagePlane m_Girl;
    std::unique_ptr<CMainGameScene> m_Stage;
};

using testsupport::CQuietLog;

// The game: every scene the game's own, the demo data of the shared files, the title
// and these screens, and the pictures the stand-in draws.  `before` runs on the folder
// before the game is built (a restart puts the earlier run's save files there).
class CSaveGame {
public:
    explicit CSaveGame(std::function<void(const std::string&)> before = {}) : d(MakeSetup(std::move(before))) {}
    screentest::CGameDriver::SSetup MakeSetup(std::function<void(const std::string&)> before) {
        screentest::CGameDriver::SSetup s;
        s.channelSounds = false;
        s.prepare = [this, before](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteBootTitleData(out);
            demo::WriteSaveLoadData(out);
            out.Sheet(kit::MakeSheet(kRoom, 800, 600, 8, 6));
            out.Sheet(kit::MakeSheet(kGirl, 160, 240, 2, 2));
            m_Sheets = out.Sheets();
            for (const char* sound : kSounds) {
                kit::WriteBytes(kit::NativeFilePath(folder, sound), kit::MakeShortWave(7, 3000));
            }
            if (before) before(folder);
        };
        s.inGameSceneMaker = [this](CGameMain& game, bool) -> std::unique_ptr<IInGameScene> {
            auto scene = std::make_unique<CKeptGame>(game);
            if (!kept) kept = scene.get();
            return scene;
        };
        return s;
    }
    CSceneManager& Manager() { return d.Game().GetSceneManager(); }
    int32_t Scene() { return Manager().GetCurrentSceneId(); }
    CSaveLoadScene* Screen() { return dynamic_cast<CSaveLoadScene*>(Manager().GetCurrentScene()); }
    CSystemData& Settings() { return d.Game().GetSystemData(); }
    screentest::CSheetProbe& Probe() {
        if (!m_ProbeFilled) {
            for (const kit::SSheetSpec& sheet : m_Sheets) d.Probe().Add(sheet);
            m_ProbeFilled = true;
        }
        return d.Probe();
    }
    // Runs frames until no top-level transition runs (at most `limit`).
    void Settle(int limit = 200) {
        for (int n = 0; n < limit && Manager().IsInTransition(); ++n) d.Frame();
    }
    // The screen of `scene` built, its own frames begun.
    void Enter(int32_t scene) {
        d.Start(scene);
        d.Frame(2);
        Settle();
    }
    // Writes a used slot file (slot s, 0..35) with money and a comment.
    void WriteSlot(int s, int32_t money, const std::string& comment = "", uint8_t clearData = 0) {
        CSaveData slot;
        slot.GetGameState().GetStatus().SetParam(104, 0, money);
        slot.m_Header = comment;
        slot.m_ClearData = clearData;
        slot.m_Time = SSaveTime{2006, 5, 6, 7, 8, 9};
        ASSERT_TRUE(slot.SaveMarked(CSaveData::SlotPath(s + 1)));
    }
    // A point inside slot s's frame (its page shown), on its comment button, on page
    // button i.
    static SPoint FramePoint(int s) {
        const SPoint at = CSaveLoadScene::kFrames[static_cast<size_t>(s % 4)];
        return SPoint{at.x + 200, at.y + 100};
    }
    static SPoint CommentPoint(int s) {
        const SPoint at = CSaveLoadScene::kCommentButtons[static_cast<size_t>(s % 4)];
        return SPoint{at.x + 5, at.y + 5};
    }
    static SPoint PagePoint(int i) {
        return SPoint{CSaveLoadScene::kPageButtonX[static_cast<size_t>(i % 5)] + 5, (i < 5 ? 12 : 40) + 5};
    }
    void Click(SPoint at, CMouse::EButton button = CMouse::kLeft) {
        d.Click(at.x, at.y, button);
        d.Frame();
    }

    CQuietLog m_Quiet;
    CKeptGame* kept = nullptr;
    std::vector<kit::SSheetSpec> m_Sheets;
    bool m_ProbeFilled = false;
    screentest::CGameDriver d;
};

}  // namespace savetest
