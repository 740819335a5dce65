#pragma once
// The stage's talk objects by numeric id.  The object of id n lives in a transition
// layer list under the key 2n, which is also its drawing order; a removed object moves
// to 2n + 1, so a new one can take id n while the old one is still drawn (until the
// list purges it, or as the outgoing picture of a transition).  Pictures change at once
// (Create...) or are prepared (Prepare...) to appear with the next StartTransition.
//
// An id whose key does not fit the list's range is refused: creation gives false and
// every other operation does nothing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/draw/SceneBase.h"
#include "engine/draw/TransitionLayerList.h"
#include "game/stage/talk/TalkFactory.h"
#include "game/stage/talk/TalkObject.h"

class CGameMain;
class CSystemData;

class CTalkObjectManager : public CSceneBase, public CSceneObjectBase {
public:
    CTalkObjectManager(CGameMain* game, void* owner);
    ~CTalkObjectManager() override;
    CTalkObjectManager(const CTalkObjectManager&) = delete;
    CTalkObjectManager& operator=(const CTalkObjectManager&) = delete;

    // Drops every object at once: a new list and factory.
    void Init();
    // Ends the transition and the screen effect and marks every object removed (gone
    // at the list's next purge).
    void Reset();
    // The effects switch is read from here instead of the game object's (null: back to
    // the game object's).  Not owned.
    void SetSystemData(const CSystemData* data) { m_SystemData = data; }

    void Load() override {}
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    bool CreateImage(const std::string& file, int32_t id);
    bool CreateAnime(const std::string& file, int32_t id, int32_t frameCount, int32_t wait, bool blend);
    bool CreateColorFill(int32_t width, int32_t height, uint32_t colour, int32_t id);
    bool CreateNoise(int32_t id);
    bool CreateTimeBg(int32_t time, int32_t id);
    bool PrepareImage(const std::string& file, int32_t id);
    bool PrepareAnime(const std::string& file, int32_t id, int32_t frameCount, int32_t wait, bool blend);
    bool PrepareColorFill(int32_t width, int32_t height, uint32_t colour, int32_t id);
    bool PrepareNoise(int32_t id);
    bool PrepareTimeBg(int32_t time, int32_t id);

    // Direct transform changes stop the id's motion after the value is stored.
    void SetPosition(int32_t id, int32_t x, int32_t y);
    void SetScale(int32_t id, float sx, float sy, int32_t cx, int32_t cy);
    void SetRotation(int32_t id, int32_t angle, int32_t cx, int32_t cy);
    void SetAlpha(int32_t id, int32_t level);
    SPoint GetPosition(int32_t id) const;
    void GetScale(int32_t id, float* sx, float* sy, SPoint* centre) const;
    void GetRotation(int32_t id, int32_t* angle, SPoint* centre) const;
    int32_t GetAlpha(int32_t id) const;
    SSize GetSize(int32_t id) const;

    // Picture operations: only ids holding a still or animated picture.
    void SetInEffect(int32_t id, int32_t effectId, int32_t frames);
    void SetOutEffect(int32_t id, int32_t effectId, int32_t frames);
    void StartIn(int32_t id);
    void Show(int32_t id);
    void StartOut(int32_t id);
    void Hide(int32_t id);
    void ClearMotion(int32_t id);
    void ParseMotion(int32_t id, const std::string& text, const SMotionOut& out);
    void SetMotion(int32_t id, const std::string& text);
    void PlayMotion(int32_t id, bool loop);
    void StopMotion(int32_t id);
    bool IsMotionPlaying(int32_t id) const;

    bool AddObject(int32_t kind, int32_t id);
    void RemoveObject(int32_t id);
    void RemoveAllObjects();
    bool PrepareObject(int32_t kind, int32_t id);
    void UnprepareObject(int32_t id);
    void UnprepareAllObjects();
    bool Exists(int32_t id) const;
    int32_t GetKind(int32_t id) const;
    CTalkObject* GetObject(int32_t id) const;

    // Index 0 ends in the same call; the start's result.
    bool StartTransition(int32_t index, int32_t frames);
    void EndTransition();
    bool IsInTransition() const;
    bool StartScreenEffect(int32_t kind);
    void EndScreenEffect(bool gradual);
    bool IsScreenEffectActive() const;

    CTransitionLayerList& GetLayers() { return *m_Layers; }
    CGameMain* GetGame() const { return m_Game; }
    void* GetOwner() const { return m_Owner; }

private:
    // The picture of the id (kinds 0 and 1), or null.
    CTalkPicture* _Picture(int32_t id) const;
    template <typename T>
    T* _As(int32_t id) const {
        return dynamic_cast<T*>(GetObject(id));
    }
    bool _EffectsOn() const;
    // The distinct even keys of every record.
    std::vector<int32_t> _EvenKeys() const;
    // Adds (or prepares) an object of the kind for the id; the new object or null.
    template <typename T>
    T* _Make(bool prepare, int32_t kind, int32_t id);
    bool _Image(bool prepare, const std::string& file, int32_t id);
    bool _Anime(bool prepare, const std::string& file, int32_t id, int32_t frameCount, int32_t wait, bool blend);
    bool _ColorFill(bool prepare, int32_t width, int32_t height, uint32_t colour, int32_t id);
    bool _Noise(bool prepare, int32_t id);
    bool _TimeBg(bool prepare, int32_t time, int32_t id);

    CGameMain* m_Game;
    void* m_Owner;
    const CSystemData* m_SystemData = nullptr;
    std::unique_ptr<CTransitionLayerList> m_Layers;
    std::unique_ptr<CTalkFactory> m_Factory;
};
