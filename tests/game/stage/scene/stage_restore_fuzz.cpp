// A stage snapshot as a save file's payload holds it, read and, when accepted, restored on
// a stage, run for a few frames and drawn into a save thumbnail: a hand-edited snapshot
// (its layers, motions, balloons, sound slots and message log) is either refused by the
// reader or rebuilt without reading outside a buffer or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/DataFile.h"
#include "game/core/StageSnapshot.h"
#include "game/stage/scene/MainGameScene.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    CDataFile file;
    file.SetBuffer(std::vector<uint8_t>(data, data + size));
    file.BeginLoad();
    CStageSnapshot snapshot;
    snapshot.Serialize(file);
    if (file.HasFailed()) return 0;
    // No game object: the stage then plays no sound and shows nothing, but builds every
    // layer, motion and balloon of the record.
    static std::unique_ptr<CMainGameScene> stage = std::make_unique<CMainGameScene>(nullptr, nullptr, false);
    stage->RestoreSnapshot(snapshot);
    for (int i = 0; i < 3; ++i) {
        stage->UpdateStage();
        stage->Draw();
    }
    stage->BuildThumbnail(snapshot);
    stage->SaveSnapshot();
    return 0;
}
