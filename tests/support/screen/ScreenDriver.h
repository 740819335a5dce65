#pragma once
// Drivers of screen tests.  Both work in a fresh temporary game folder, draw on the
// software graphics device and move only when told: one call, one frame.
//
// CGameDriver: the whole game object (scripted clock, sound mixed on request, the
// test's scene factory and in-game scene maker), stepping its real frame loop with
// the pointer and keys fed before each frame.
// CObjectDriver: a lone scene or member object on a screen of its own: the test feeds
// it the pointer itself, the driver runs Update and draws it on a black frame.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Mouse.h"
#include "game/core/GameMain.h"
#include "tests/game/core/app/GameTestUtil.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/SheetProbe.h"
#include "tests/support/screen/SoundRecorder.h"

class CD3DDevice;
class CPlatformWindow;
class CSceneBase;
namespace drawtest {
class CTestScreen;
}

namespace screentest {

// The render target of a device.
SFrame ReadFrame(CD3DDevice& device);

class CGameDriver {
public:
    struct SSetup {
        // Not owned; null: the game's own scenes.
        ISceneFactory* sceneFactory = nullptr;
        CGameMain::InGameSceneMaker inGameSceneMaker;
        // Writes the four channel sounds before the game is built.
        bool channelSounds = true;
        // Called with the game folder before the game object is built (write data here).
        std::function<void(const std::string& folder)> prepare;
        // Draws through the GDI renderer into a window of the driver's own, the path a
        // machine without the graphics device takes (NIWA_FORCE_GDI=1); Pixels() then
        // reads the window's picture as last presented.
        bool gdi = false;
    };

    CGameDriver();
    explicit CGameDriver(SSetup setup);
    ~CGameDriver();
    CGameDriver(const CGameDriver&) = delete;
    CGameDriver& operator=(const CGameDriver&) = delete;

    CGameMain& Game() { return *m_Game; }
    // The game folder (native, ends in '/').
    const std::string& Folder() const { return m_Dir.Path(); }
    gametest::CFakeClock& Clock() { return m_Clock; }
    CSoundRecorder& Sounds() { return *m_Sounds; }
    CSheetProbe& Probe() { return m_Probe; }
    CD3DDevice* Device();

    // Loads the channel sounds, applies the volumes and goes to `scene` by a cut, which
    // takes effect in the next frame (what Begin does, without the boot scene).
    void Start(int32_t scene);

    // Input for the next frame.
    void Move(int32_t x, int32_t y);
    // The button goes down before the next frame and up after it.
    void Press(CMouse::EButton button = CMouse::kLeft);
    void Click(int32_t x, int32_t y, CMouse::EButton button = CMouse::kLeft) {
        Move(x, y);
        Press(button);
    }
    // A tap, as a touchpad or `xdotool click` sends it: the pointer moves and the
    // button goes down and up again, all before the next frame.
    void Tap(int32_t x, int32_t y) {
        Move(x, y);
        m_Game->GetMouse().ButtonDown(CMouse::kLeft);
        m_Game->GetMouse().ButtonUp(CMouse::kLeft);
    }
    // The key goes down before the next frame and up after it.
    void Key(uint32_t vk);
    // Notches (positive away from the user) in the next frame.
    void Wheel(int32_t notches);

    // Runs n frames of the loop, polling the sound recorder after each; false when the
    // loop ended.
    bool Frame(int n = 1);
    // Frames until the top-level transition has ended (at most `limit`); the number run.
    int RunOutTransition(int limit = 400);
    SFrame Pixels();

private:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope;
    gametest::CFakeClock m_Clock;
    CSheetProbe m_Probe;
    std::unique_ptr<CPlatformWindow> m_Window;  // the GDI renderer's
    std::unique_ptr<CGameMain> m_Game;
    std::unique_ptr<CSoundRecorder> m_Sounds;
    std::vector<CMouse::EButton> m_Release;
    std::vector<uint32_t> m_KeysUp;
};

class CObjectDriver {
public:
    CObjectDriver();
    ~CObjectDriver();
    CObjectDriver(const CObjectDriver&) = delete;
    CObjectDriver& operator=(const CObjectDriver&) = delete;

    const std::string& Folder() const { return m_Dir.Path(); }
    CSheetProbe& Probe() { return m_Probe; }
    CD3DDevice* Device();

    // n frames of the object: `before` (feed the pointer here), Update, then a draw on
    // a black frame.
    void Frame(CSceneBase& object, int n = 1, const std::function<void()>& before = {});
    // Loses the device and resets it, as a minimised full screen does; the object's own
    // OnDeviceRestored is for the test to call.
    bool LoseAndResetDevice();
    // One draw on a black frame, without an update.
    void Draw(const std::function<void()>& draw);
    SFrame Pixels();

private:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope;
    CSheetProbe m_Probe;
    std::unique_ptr<drawtest::CTestScreen> m_Screen;
};

}  // namespace screentest
