#pragma once
// Scene 16, the settings menu: six pages of settings that slide in from the right and
// out to the left, chosen by six page buttons, over the wide background with the menu
// tab bar (its picture viewer, play view and music room buttons cleared).  The pages
// edit the game's live settings and apply each change at once; the scene keeps the
// settings of its entry, which the cancel button writes back.  The defaults button
// resets the settings (never the unlock tables); accept, cancel and the cancel input
// return to the caller.  Leaving stores the live settings in save\cfg.sav.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/draw/ImagePlane.h"
#include "engine/draw/LayerList.h"
#include "engine/draw/SceneFactory.h"
#include "game/core/ImageButton.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuDimmer.h"
#include "game/menus/kit/MenuTabBar.h"
#include "game/menus/title/GameScene.h"

class CMenuPage;
class CSystemMenuScene;

// Makes the pages by id: 0 display, 1 message, 2 sound, 3 voice switches, 4 cancel
// action, 5 information.  Any other id gives none.
class CMenuPageFactory : public ISceneFactory {
public:
    static constexpr int32_t kPageCount = 6;

    void SetScene(CSystemMenuScene* scene) { m_Scene = scene; }
    std::unique_ptr<CSceneBase> Create(int32_t id) override;

private:
    CSystemMenuScene* m_Scene = nullptr;
};

class CSystemMenuScene : public CGameScene {
public:
    static constexpr int32_t kSceneId = 16;
    static constexpr int32_t kOwnTab = 5;
    static constexpr int kCommandCount = 9;
    enum ECommand { COMMAND_DEFAULTS = 6, COMMAND_ACCEPT = 7, COMMAND_CANCEL = 8 };
    static constexpr const char* kHeaderLeft = "obj\\c000_026.bmp";
    static constexpr const char* kHeaderRight = "obj\\c000_003.bmp";
    static constexpr const char* kCommandSheet = "obj\\c000_027.bmp";
    static constexpr const char* kOptionSheet = "obj\\c000_034.bmp";
    static constexpr int32_t kOptionColumns = 14;
    static constexpr int32_t kOptionRows = 3;
    static constexpr SPoint kHeaderRightAt{280, 0};
    static constexpr std::array<SPoint, kCommandCount> kCommandPlaces = {
        SPoint{424, 12}, SPoint{496, 12}, SPoint{568, 12}, SPoint{640, 12}, SPoint{712, 12},
        SPoint{424, 40}, SPoint{568, 40}, SPoint{712, 40}, SPoint{640, 40}};
    static constexpr int32_t kTransition = 1;
    static constexpr int32_t kFrames = 15;

    explicit CSystemMenuScene(CGameMain& game) : CGameScene(game) {}
    ~CSystemMenuScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    CGameMain& GetGame() { return m_Game; }
    CLayerList& GetPages() { return m_Pages; }
    // The live page of an id, or null.
    CMenuPage* FindPage(int32_t id) const;
    // The settings as they were on entry.
    CSystemData& GetBackup() { return m_Backup; }
    // The option-button sheet (14 × 3) that the pages borrow.
    CImagePlane& GetOptionSheet() { return m_OptionSheet; }
    CMenuTabBar& GetTabBar() { return m_TabBar; }
    CImageButton& GetCommand(int i) { return m_Commands[static_cast<size_t>(i)]; }

    // The defaults button: the settings to their defaults, the volumes applied, every
    // open page but the information page refreshed.
    void ResetToDefaults();

private:
    void _ShowPage(int32_t page);
    void _Leave(bool restore);

    CSystemData m_Backup{CSystemData::kNoLoad};
    CMenuDimmer m_Dimmer;
    CImagePlane m_HeaderLeft;
    CImagePlane m_HeaderRight;
    CMenuTabBar m_TabBar;
    std::array<CImageButton, kCommandCount> m_Commands;
    CImagePlane m_CommandSheet;
    CImagePlane m_OptionSheet;
    CMenuPageFactory m_PageFactory;
    CLayerList m_Pages;
    bool m_UsesWide = false;
};
