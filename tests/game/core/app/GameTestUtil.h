#pragma once
// Doubles for the game object's tests: a clock that moves only when told or when the
// loop sleeps, a renderer that records what the frame loop asks of it, scenes that
// record their operations, and a stand-in for the kept in-game scene.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/FrameTimer.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/d3d/ScreenRendererProxy.h"
#include "engine/draw/SceneFactory.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"
#include "game/core/SaveData.h"
#include "game/core/SceneRequest.h"
#include "tools/kit/StepClock.h"

namespace gametest {

using CFakeClock = kit::CStepClock;

using CRecord = std::vector<std::string>;

class CFakeRenderer : public CScreenRenderer {
public:
    CFakeRenderer(CRecord* record, bool* lost) : m_Record(record), m_Lost(lost) {}
    EKind GetKind() const override { return KIND_GDI; }
    bool Initialize(WindowHandle, bool) override { return true; }
    bool Clear(uint32_t) override { return _Note("Clear"); }
    bool SetTextureFilter(uint32_t, uint32_t) override { return true; }
    bool SetTextureAddressMode(uint32_t, uint32_t) override { return true; }
    bool SetAlphaBlend(bool, uint32_t, uint32_t) override { return true; }
    bool BeginScene() override { return _Note("BeginScene"); }
    bool EndScene() override { return _Note("EndScene"); }
    bool Present() override { return _Note("Present"); }
    bool DrawPrimitive(const CD3DTexture*, uint32_t, uint32_t, const SGfxVertex*) override { return true; }
    bool SetRenderTarget(const CD3DTexture*) override { return true; }
    bool IsDeviceLost() override { return *m_Lost; }
    bool RestoreDevice() override {
        *m_Lost = false;
        return _Note("RestoreDevice");
    }
    bool SetWindowed(bool) override { return true; }

private:
    bool _Note(const char* what) {
        m_Record->push_back(what);
        return true;
    }
    CRecord* m_Record;
    bool* m_Lost;
};

class CRecScene : public CSceneBase, public CSceneObjectBase {
public:
    CRecScene(int id, CRecord* record, std::function<void(int)>* onUpdate)
        : m_Id(id), m_Record(record), m_OnUpdate(onUpdate) {}
    ~CRecScene() override { _Note("destroy"); }
    void Load() override { _Note("load"); }
    void Update() override {
        std::string s = "update " + std::to_string(m_Id);
        if (IsDecidePressed()) s += " decide";
        if (IsCancelPressed()) s += " cancel";
        m_Record->push_back(s);
        if (*m_OnUpdate) (*m_OnUpdate)(m_Id);
    }
    void Draw() override { _Note("draw"); }
    void OnDeviceRestored() override { _Note("restore"); }

private:
    void _Note(const char* what) { m_Record->push_back(std::string(what) + " " + std::to_string(m_Id)); }
    int m_Id;
    CRecord* m_Record;
    std::function<void(int)>* m_OnUpdate;
};

class CRecFactory : public ISceneFactory {
public:
    explicit CRecFactory(CRecord* record) : m_Record(record) {}
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id <= 0) return nullptr;
        return std::make_unique<CRecScene>(id, m_Record, &onUpdate);
    }
    std::function<void(int)> onUpdate;

private:
    CRecord* m_Record;
};

// The kept in-game scene's stand-in.
class CFakeInGame : public IInGameScene {
public:
    CFakeInGame(bool fresh, CRecord* record) : m_Fresh(fresh), m_Record(record) {
        m_Record->push_back(fresh ? "make fresh" : "make kept");
    }
    ~CFakeInGame() override { m_Record->push_back(m_Fresh ? "destroy fresh" : "destroy kept"); }
    void Update() override { m_Record->push_back(m_Fresh ? "update fresh" : "update kept"); }
    void Draw() override {}
    void WriteSave(CSaveData& save) override {
        m_Record->push_back("WriteSave");
        save.m_Header = "running game";
    }
    void RestoreFromSave(const CSaveData& save) override { m_Record->push_back("RestoreFromSave " + save.m_Header); }
    bool RenderToTexture(const std::string& path) override {
        m_Record->push_back("RenderToTexture " + path);
        return true;
    }

private:
    bool m_Fresh;
    CRecord* m_Record;
};

// Routes the screen's renderer to a CFakeRenderer while it lives.
class CFakeRendererScope {
public:
    CFakeRendererScope(CRecord* record, bool* lost) {
        CScreenRendererProxy::SetForceGdi(true);
        CScreenRendererProxy::SetGdiRendererFactory(
            [record, lost] { return std::make_unique<CFakeRenderer>(record, lost); });
    }
    ~CFakeRendererScope() {
        CScreenRendererProxy::SetGdiRendererFactory(nullptr);
        CScreenRendererProxy::SetForceGdi(false);
    }
};

}  // namespace gametest
