#include "engine/soft/screen/DisplayChangerFactory.h"

#include "engine/base/AppManager.h"
#include "engine/base/Window.h"
#include "engine/soft/DirectDraw.h"
#include "engine/soft/screen/ChangeDisplayDDraw.h"

namespace {

// The DirectDraw changer together with the DirectDraw object it made for its window:
// the changer puts the display back first, then the object goes.
class CWindowDDrawChanger : public CChangeDisplay {
public:
    CWindowDDrawChanger() {
        m_Window = CAppManager::GetHWnd();
        if (m_Window && !CDirectDrawManager::GetInstance()->Find(m_Window)) {
            m_OwnsDirectDraw = CDirectDrawManager::GetInstance()->Initialize(m_Window);
        }
        m_Changer = std::make_unique<CChangeDisplayDDraw>();
    }
    ~CWindowDDrawChanger() override {
        m_Changer.reset();
        if (m_OwnsDirectDraw) CDirectDrawManager::GetInstance()->Release(m_Window);
    }
    bool ChangeDisplay(int32_t w, int32_t h, int32_t bpp) override { return m_Changer->ChangeDisplay(w, h, bpp); }
    bool TestDisplayMode(int32_t w, int32_t h, int32_t bpp) override { return m_Changer->TestDisplayMode(w, h, bpp); }
    bool Reset() override { return m_Changer->Reset(); }
    bool IsChanged() const override { return m_Changer->IsChanged(); }
    int32_t GetKind() const override { return m_Changer->GetKind(); }

private:
    WindowHandle m_Window = nullptr;
    bool m_OwnsDirectDraw = false;
    std::unique_ptr<CChangeDisplayDDraw> m_Changer;
};

}  // namespace

std::unique_ptr<CChangeDisplay> MakeDisplayChanger(int kind) {
    if (kind == CWindow::kChangerDirectDraw) return std::make_unique<CWindowDDrawChanger>();
    return std::make_unique<CChangeDisplayWin32API>();
}

int DisplayChangerRequestOf(int32_t changerKind) {
    return changerKind == CChangeDisplayDDraw::kKind ? CWindow::kChangerDirectDraw : 0;
}

void InstallDisplayChangerFactory() { CWindow::SetDisplayChangerFactory(&MakeDisplayChanger); }
