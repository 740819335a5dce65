#pragma once
// Scene 14, the play view: the records of "cfg\playview1.txt" to "cfg\playview6.txt"
// as pages of thumbnails (from "obj\small_app\cg"), shown for the events already
// played (the play-view unlock byte).  Decide on one replays its event in a fresh
// in-game scene: a running game is first copied into the current save record, its
// sounds fade out and its stage is cleared to black, the replay flag keeps the replay
// out of the save record, and relay 22 is called keeping the play view, which resumes
// as it was when the replay returns.
#include <memory>
#include <string>
#include <vector>

#include "engine/draw/ImagePlane.h"
#include "game/menus/viewer/ThumbnailGridScene.h"

class CSystemData;
class CTextReader;

// One record line of a page.
struct CPlayViewEntry {
    uint8_t m_Unlocked = 0;
    int32_t m_Number = 0;   // unlock index
    int32_t m_EventId = 0;  // the event replayed
    std::string m_ThumbnailPath;
    std::string m_PreviewPath;
    CImagePlane m_Thumbnail;
};
using PlayViewEntry = CPlayViewEntry;

// Appends one entry per record line of a page file (an empty field 0 is index 0),
// pictures not loaded.  An index outside the unlock table (-1 among them) reads as
// locked.
void ReadPlayViewPage(CTextReader& reader, const CSystemData& data, std::vector<std::unique_ptr<CPlayViewEntry>>* out);

class CPlayViewScene : public CThumbnailGridScene {
public:
    static constexpr int32_t kScene = 14;
    static constexpr int32_t kReplayRelay = 22;
    static constexpr const char* kTitle = "obj\\c000_021.bmp";
    static constexpr const char* kThumbFolder = "obj\\small_app\\cg";
    static constexpr const char* kPreviewFolder = "obj";
    static constexpr int kStopFadeMs = 500;

    explicit CPlayViewScene(CGameMain& game);
    ~CPlayViewScene() override;

    // The page's entries read afresh (none for a page outside 0..5).
    void BuildPage(int32_t page) { _BuildPage(page); }
    const std::vector<std::unique_ptr<CPlayViewEntry>>& GetEntries() const { return m_Entries; }

protected:
    void _BuildPage(int32_t page) override;
    int32_t _EntryCount() const override { return static_cast<int32_t>(m_Entries.size()); }
    bool _IsUnlocked(int32_t index) const override { return m_Entries[static_cast<size_t>(index)]->m_Unlocked != 0; }
    const std::string& _PreviewPath(int32_t index) const override {
        return m_Entries[static_cast<size_t>(index)]->m_PreviewPath;
    }
    void _Choose(int32_t index) override;
    void _DrawEntry(int slot, int32_t index, uint32_t colour) override;

private:
    std::vector<std::unique_ptr<CPlayViewEntry>> m_Entries;
};
