#include "tests/support/screen/ScreenDriver.h"

#include "engine/base/AppManager.h"
#include "engine/base/Window.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/Screen.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiWindow.h"
#include "platform/window/PlatformWindow.h"
#include "engine/draw/SceneBase.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/FadeSound.h"
#include "platform/gfx/GfxDevice.h"
#include "tests/engine/draw/DrawTestUtil.h"

namespace screentest {

SFrame ReadFrame(CD3DDevice& device) {
    SFrame f;
    f.pixels = drawtest::ReadTarget(device);
    f.width = static_cast<int32_t>(CD3DDevice::kScreenWidth);
    f.height = static_cast<int32_t>(f.pixels.size() / CD3DDevice::kScreenWidth);
    return f;
}

// ---- the game object ----

CGameDriver::CGameDriver() : CGameDriver(SSetup{}) {}

CGameDriver::CGameDriver(SSetup setup) : m_Scope(m_Dir.Path()) {
    if (setup.channelSounds) WriteChannelSounds(m_Dir.Path());
    if (setup.prepare) setup.prepare(m_Dir.Path());
    if (setup.gdi) {
        // As the program does it: the window first, then the renderer falls to GDI.
        m_Window = CPlatformWindow::Create("screen test", CD3DDevice::kScreenWidth, CD3DDevice::kScreenHeight, false);
        CAppManager::SetHWnd(m_Window.get());
        InstallSoftwareScreenPath();
        CScreenRendererProxy::SetForceGdi(true);
    }
    CGameMain::SOptions o;
    o.clock = &m_Clock;
    o.manualSound = true;
    o.reportPath = "";
    o.sceneFactory = setup.sceneFactory;
    o.inGameSceneMaker = std::move(setup.inGameSceneMaker);
    m_Game = std::make_unique<CGameMain>(std::move(o));
    m_Sounds = std::make_unique<CSoundRecorder>(*m_Game);
}

CGameDriver::~CGameDriver() {
    m_Sounds.reset();
    m_Game.reset();
    if (m_Window) {
        CScreenRendererProxy::SetForceGdi(false);
        CScreenRendererProxy::SetGdiRendererFactory(nullptr);
        CWindow::SetDisplayChangerFactory(nullptr);
        CAppManager::SetHWnd(nullptr);
        GdiForgetWindow(m_Window.get());
    }
}

CD3DDevice* CGameDriver::Device() {
    CScreenRenderer* r = m_Game->GetRenderer();
    return r ? r->GetD3DDevice() : nullptr;
}

void CGameDriver::Start(int32_t scene) {
    for (int i = 0; i < CGameMain::kChannelSoundCount; ++i) {
        m_Game->GetChannel(i)->Load(CGameMain::kChannelSounds[i]);
    }
    m_Game->ApplySoundVolumes();
    m_Game->GetSceneManager().GoTo(scene);
    m_Game->GetSceneManager().Transition(0, 0);
}

void CGameDriver::Move(int32_t x, int32_t y) { m_Game->GetMouse().Move(x, y); }

void CGameDriver::Press(CMouse::EButton button) {
    m_Game->GetMouse().ButtonDown(button);
    m_Release.push_back(button);
}

void CGameDriver::Key(uint32_t vk) {
    m_Game->GetKeyboard().KeyDown(vk);
    m_KeysUp.push_back(vk);
}

void CGameDriver::Wheel(int32_t notches) { m_Game->GetMouse().Wheel(notches * 120); }

bool CGameDriver::Frame(int n) {
    for (int i = 0; i < n; ++i) {
        if (!m_Game->RunFrame()) return false;
        for (CMouse::EButton b : m_Release) m_Game->GetMouse().ButtonUp(b);
        for (uint32_t vk : m_KeysUp) m_Game->GetKeyboard().KeyUp(vk);
        m_Release.clear();
        m_KeysUp.clear();
        m_Sounds->Poll();
    }
    return true;
}

int CGameDriver::RunOutTransition(int limit) {
    int n = 0;
    while (m_Game->GetSceneManager().IsInTransition() && n < limit && Frame()) ++n;
    return n;
}

SFrame CGameDriver::Pixels() {
    if (CD3DDevice* d = Device()) return ReadFrame(*d);
    SFrame f;
    const SGdiPixels picture = m_Window ? GdiGetWindowPicture(m_Window.get()) : SGdiPixels{};
    if (!picture.IsValid()) return f;
    const int bytes = GdiBitsPerPixel(picture.format) / 8;
    f.width = picture.width;
    f.height = picture.height;
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            f.pixels.push_back(GdiReadPixel(picture.Row(y) + static_cast<size_t>(x) * bytes, picture.format) & 0xFFFFFFu);
        }
    }
    return f;
}

// ---- a lone object ----

CObjectDriver::CObjectDriver() : m_Scope(m_Dir.Path()), m_Screen(std::make_unique<drawtest::CTestScreen>()) {}

CObjectDriver::~CObjectDriver() = default;

CD3DDevice* CObjectDriver::Device() { return m_Screen->Device(); }

void CObjectDriver::Frame(CSceneBase& object, int n, const std::function<void()>& before) {
    for (int i = 0; i < n; ++i) {
        if (before) before();
        object.Update();
        Draw([&object] { object.Draw(); });
    }
}

bool CObjectDriver::LoseAndResetDevice() {
    CD3DDevice* d = Device();
    if (!d || !d->GetDevice()) return false;
    d->GetDevice()->SimulateDeviceLost();
    return d->ResetDevice();
}

void CObjectDriver::Draw(const std::function<void()>& draw) {
    CD3DDevice* d = Device();
    if (!d) return;
    d->BeginScene();
    d->Clear(0xFF000000u);
    draw();
    d->EndScene();
}

SFrame CObjectDriver::Pixels() {
    CD3DDevice* d = Device();
    return d ? ReadFrame(*d) : SFrame{};
}

}  // namespace screentest
