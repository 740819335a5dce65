#include "game/menus/viewer/PlayViewScene.h"

#include "engine/base/StringUtil.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/PlayViewTable.h"
#include "game/stage/scene/MainGameScene.h"

void ReadPlayViewPage(CTextReader& reader, const CSystemData& data, std::vector<std::unique_ptr<CPlayViewEntry>>* out) {
    std::vector<std::string> fields;
    while (reader.ReadLine(CPlayViewTable::kFieldCount, &fields)) {
        auto entry = std::make_unique<CPlayViewEntry>();
        entry->m_Number = StrToInt(fields[0]);
        // An index outside the table has no byte: locked, without asking the table
        // (which would log it every time the page is read).
        if (entry->m_Number >= 0 && entry->m_Number < CSystemData::kTableSize) {
            entry->m_Unlocked = data.GetPlayViewUnlock(entry->m_Number);
        }
        entry->m_ThumbnailPath = MakeResourcePath(fields[1], CPlayViewScene::kThumbFolder, "bmp");
        entry->m_PreviewPath = MakeResourcePath(fields[2], CPlayViewScene::kPreviewFolder, "bmp");
        entry->m_EventId = StrToInt(fields[3]);
        out->push_back(std::move(entry));
    }
}

CPlayViewScene::CPlayViewScene(CGameMain& game) : CThumbnailGridScene(game, kTitle, 3, true) {}

CPlayViewScene::~CPlayViewScene() { m_Entries.clear(); }

void CPlayViewScene::_BuildPage(int32_t page) {
    m_Entries.clear();
    if (page < 0 || page >= kPages) return;
    const std::string name = GetPlayViewFileName(page + 1);
    CTextReader reader;
    if (!reader.Load(name)) {
        ReportUnreadableFile("CPlayViewScene::_BuildPage()", name);
        return;
    }
    ReadPlayViewPage(reader, m_Game.GetSystemData(), &m_Entries);
    for (const std::unique_ptr<CPlayViewEntry>& entry : m_Entries) {
        entry->m_Thumbnail.LoadFile(entry->m_ThumbnailPath);
    }
}

void CPlayViewScene::_Choose(int32_t index) {
    const bool running = m_Game.m_GameInProgress != 0;
    // The replay's return rebuilds the stage from the record: the game on the screen goes
    // in, the viewer's and the script tool's too (their automatic save keeps the record
    // read at start, which the game object set aside).
    if (running) m_Game.WriteCurrentSave();
    m_Game.m_ReplayFlag = 1;
    if (running) {
        for (int group = 0; group < 3; ++group) m_Game.GetSoundBank().StopGroup(group, kStopFadeMs);
        if (CMainGameScene* stage = GetKeptStage()) stage->ClearToBlackAlt();
    }
    m_Game.m_ReplayEventId = m_Entries[static_cast<size_t>(index)]->m_EventId;
    RequestCallSceneKeep(kReplayRelay, 1, 30);
}

void CPlayViewScene::_DrawEntry(int slot, int32_t index, uint32_t colour) {
    const SPoint frame = FrameAt(slot);
    m_Entries[static_cast<size_t>(index)]->m_Thumbnail.Draw(frame.x + 8, frame.y + 30, colour);
}
