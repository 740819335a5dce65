#pragma once
// Scene 12, the picture viewer: the entries of "cfg\cgview1.txt" to "cfg\cgview6.txt"
// as pages of thumbnails.  An entry with an unlocked picture group shows a composite
// thumbnail (its first unlocked group's picture and up to nine overlays, from
// "obj\small_app") and the count of its unlocked groups, "3/12"; decide on it fills the
// viewing list with the entry's groups and calls the full view (scene 13) keeping the
// viewer, which resumes on its page and sub-page.  Unlock bytes are read when a page
// is read: what was unlocked meanwhile shows when the page is chosen again.
#include <array>
#include <vector>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/menus/unlock/CGViewTable.h"
#include "game/menus/viewer/ThumbnailGridScene.h"

// One thumbnail: an entry of the page file with its composite thumbnail.
struct CCGViewerEntry {
    static constexpr int kPlaneCount = 10;  // the cover, then nine overlays
    SCGViewEntry data;
    std::array<CImagePlane, kPlaneCount> thumbPlanes;
};

class CCGViewerScene : public CThumbnailGridScene {
public:
    static constexpr int32_t kScene = 12;
    static constexpr int32_t kFullView = 13;
    static constexpr const char* kTitle = "obj\\c000_016.bmp";
    static constexpr const char* kCountSheet = "obj\\c000_020.bmp";
    static constexpr int kSlash = 10;  // the count sheet's cell of the slash
    static constexpr const char* kThumbFolder = "obj\\small_app";

    // The count's five glyphs of slot i: tens and ones of the unlocked groups, the
    // slash, tens and ones of all groups.
    static std::array<SPoint, 5> CountAt(int slot);

    explicit CCGViewerScene(CGameMain& game);
    ~CCGViewerScene() override;

    void Load() override;

    // The names the rest of the game knows.
    void SetFile(int32_t page) { SetPage(page); }
    void LoadFile(int32_t page) { _BuildPage(page); }
    void ClearEntries() { m_Entries.clear(); }

    const std::vector<CCGViewerEntry>& GetEntries() const { return m_Entries; }

protected:
    void _BuildPage(int32_t page) override;
    int32_t _EntryCount() const override { return static_cast<int32_t>(m_Entries.size()); }
    bool _IsUnlocked(int32_t index) const override { return m_Entries[static_cast<size_t>(index)].data.anyUnlocked; }
    const std::string& _PreviewPath(int32_t index) const override {
        return m_Entries[static_cast<size_t>(index)].data.previewPath;
    }
    void _Choose(int32_t index) override;
    void _DrawEntry(int slot, int32_t index, uint32_t colour) override;

private:
    CImagePlane m_CountSheet;
    CCellImage m_CountCells;
    std::vector<CCGViewerEntry> m_Entries;
};
