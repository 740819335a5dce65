#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/adv/MotionEffectZoom.h"
#include "engine/adv/MotionFactory.h"
#include "engine/d3d/NullScreenRenderer.h"
#include "engine/d3d/Screen.h"
#include "engine/d3d/ScreenRendererProxy.h"

namespace {

// Stands behind the screen's proxy and records the filter changes around each draw.
class CFilterRecorder : public CNullScreenRenderer {
public:
    static std::vector<std::pair<uint32_t, uint32_t>>* s_Log;
    EKind GetKind() const override { return KIND_GDI; }
    bool SetTextureFilter(uint32_t minFilter, uint32_t magFilter) override {
        s_Log->push_back({minFilter, magFilter});
        return true;
    }
};
std::vector<std::pair<uint32_t, uint32_t>>* CFilterRecorder::s_Log = nullptr;

class CPlane : public IImagePlane {
public:
    void GetSize(int32_t* w, int32_t* h) const override { *w = *h = 16; }
    void DrawRectMatrix(const SRect&, const SRect&, const CMatrix4&, uint32_t) override {
        CFilterRecorder::s_Log->push_back({0, 0});  // the draw itself
    }
};

}  // namespace

TEST(MotionEffectFilter, TransformedDrawsAreLinearThenPointAgain) {
    std::vector<std::pair<uint32_t, uint32_t>> log;
    CFilterRecorder::s_Log = &log;
    CScreenRendererProxy::SetGdiRendererFactory([] { return std::make_unique<CFilterRecorder>(); });
    CScreenRendererProxy::SetForceGdi(true);
    {
        CScreen screen;
        ASSERT_TRUE(screen.Create(nullptr, true, ""));
        CPlane plane;
        CTalkMotionFactory factory;
        for (int id : {2, 10, 21, 34}) {
            log.clear();
            auto e = factory.Create(id);
            e->Attach(&plane);
            e->SetDuration(4);
            e->Start();
            e->Draw();
            EXPECT_EQ(log, (std::vector<std::pair<uint32_t, uint32_t>>{{2, 2}, {0, 0}, {1, 1}})) << "id " << id;
        }
        // Id 1, the vertical motions and the stopped state leave the filter alone.
        for (int id : {1, 22, 31}) {
            log.clear();
            auto e = factory.Create(id);
            e->Attach(&plane);
            e->SetDuration(4);
            e->Start();
            e->Draw();
            e->Stop();
            e->Draw();
            EXPECT_EQ(log, (std::vector<std::pair<uint32_t, uint32_t>>{{0, 0}, {0, 0}})) << "id " << id;
        }
    }
    // Without a screen the picture is still drawn.
    log.clear();
    CPlane plane;
    CMotionEffect02 e;
    e.Attach(&plane);
    e.Start();
    e.Draw();
    EXPECT_EQ(log, (std::vector<std::pair<uint32_t, uint32_t>>{{0, 0}}));
    CScreenRendererProxy::SetForceGdi(false);
    CScreenRendererProxy::SetGdiRendererFactory(nullptr);
}
