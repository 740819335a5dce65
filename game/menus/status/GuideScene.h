#pragma once
// Scene 17, the guide: five topic buttons on the left and the chosen topic's pages on
// the right, turned by two arrow buttons, with "page / pages" above one page.  Topic 0,
// the overview shown at entry, has no button.  Leaves by a return only.
#include <array>
#include <cstdint>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/menus/title/GameScene.h"

class CU000Scene : public CGameScene {
public:
    static constexpr const char* kBackground = "obj\\u000_000.bmp";
    static constexpr const char* kTopicSheet = "obj\\u000_001.bmp";   // 5 × 3
    static constexpr const char* kButtonSheet = "obj\\k000_008.bmp";  // 5 × 5
    static constexpr const char* kArrowSheet = "obj\\c000_037.bmp";   // 2 × 3
    static constexpr const char* kNumberSheet = "obj\\p001_000.bmp";  // 14 × 1: 0..9, ..., 13 the separator
    static constexpr int kTopicCount = 6;
    static constexpr const char* kPageSheets[kTopicCount] = {"obj\\u001_000.bmp", "obj\\u001_001.bmp",
                                                             "obj\\u001_002.bmp", "obj\\u001_003.bmp",
                                                             "obj\\u001_004.bmp", "obj\\u001_005.bmp"};
    static constexpr int32_t kPageCounts[kTopicCount] = {1, 4, 5, 4, 2, 4};
    static constexpr int kTopicButtons = 5;
    static constexpr std::array<SPoint, kTopicButtons> kTopicPlaces = {
        SPoint{32, 80}, SPoint{32, 176}, SPoint{32, 264}, SPoint{32, 352}, SPoint{32, 440}};
    // The topic buttons answer only this far inside their top and bottom edges.
    static constexpr int32_t kTopicInset = 10;
    static constexpr SPoint kReturnPlace = {592, 536};
    static constexpr std::array<SPoint, 2> kArrowPlaces = {SPoint{560, 472}, SPoint{680, 474}};
    static constexpr SPoint kPagePlace = {232, 112};
    static constexpr int32_t kNumberCells = 14;
    static constexpr int32_t kSeparator = 13;

    explicit CU000Scene(CGameMain& game) : CGameScene(game) {}

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Shows a page of a topic; the topic's pictures are loaded only when the topic
    // changes (a topic outside 0..5 loads nothing).
    void ShowTopic(int32_t topic, int32_t page);

    int32_t GetTopic() const { return m_Topic; }
    int32_t GetPage() const { return m_Page; }
    int32_t GetPageCount() const { return m_PageCount; }
    // How many times a topic's pictures were loaded.
    int32_t GetTopicLoads() const { return m_TopicLoads; }
    const CButton& GetTopicButton(int i) const { return m_TopicButtons[static_cast<size_t>(i)]; }
    const CImageButton& GetArrow(int i) const { return m_Arrows[static_cast<size_t>(i)]; }

private:
    bool _HasPrevious() const { return m_Page != 0 && m_PageCount >= 2; }
    bool _HasNext() const { return m_Page < m_PageCount - 1 && m_PageCount > 1; }

    CImagePlane m_Background;
    CImagePlane m_TopicSheet;
    CImagePlane m_ButtonSheet;
    std::array<CButton, kTopicButtons> m_TopicButtons;
    CImageButton m_ReturnButton;
    CImagePlane m_ArrowSheet;
    std::array<CImageButton, 2> m_Arrows;
    CImagePlane m_NumberSheet;
    std::array<CCellImage, 3> m_NumberCells;
    CImagePlane m_PageSheet;
    CCellImage m_PageCells;
    int32_t m_Topic = -1;
    int32_t m_Page = 0;
    int32_t m_PageCount = 0;
    int32_t m_TopicLoads = 0;
};
