#include "engine/d3d/ScreenRendererProxy.h"

#include <atomic>
#include <mutex>

#include "engine/base/Log.h"
#include "engine/d3d/D3DScreenRenderer.h"
#include "engine/d3d/NullScreenRenderer.h"

namespace {
std::mutex g_FactoryMutex;
CScreenRendererProxy::Factory& GdiFactory() {
    static CScreenRendererProxy::Factory factory;
    return factory;
}
std::atomic<bool> g_ForceGdi{false};
}  // namespace

CScreenRendererProxy::CScreenRendererProxy() : m_Impl(std::make_unique<CNullScreenRenderer>()) {}

CScreenRendererProxy::~CScreenRendererProxy() = default;

void CScreenRendererProxy::SetGdiRendererFactory(Factory factory) {
    std::lock_guard<std::mutex> lock(g_FactoryMutex);
    GdiFactory() = std::move(factory);
}

void CScreenRendererProxy::SetForceGdi(bool force) { g_ForceGdi = force; }

bool CScreenRendererProxy::IsForceGdi() { return g_ForceGdi.load(); }

CScreenRenderer::EKind CScreenRendererProxy::GetKind() const { return m_Impl->GetKind(); }

bool CScreenRendererProxy::Initialize(WindowHandle window, bool windowed) {
    m_Impl.reset();
    if (!IsForceGdi()) {
        auto d3d = std::make_unique<CD3DScreenRenderer>();
        if (d3d->Initialize(window, windowed)) {
            m_Impl = std::move(d3d);
            return true;
        }
    }
    Factory factory;
    {
        std::lock_guard<std::mutex> lock(g_FactoryMutex);
        factory = GdiFactory();
    }
    if (factory) {
        std::unique_ptr<CScreenRenderer> gdi = factory();
        if (gdi && gdi->Initialize(window, windowed)) {
            m_Impl = std::move(gdi);
            return true;
        }
        DebugPrintf("CScreenRendererProxy::Initialize() GDIレンダラを作成できません");
    }
    DebugPrintf("CScreenRendererProxy::Initialize() 描画できるレンダラがありません。何も描画しません");
    m_Impl = std::make_unique<CNullScreenRenderer>();
    m_Impl->Initialize(window, windowed);
    return true;
}
