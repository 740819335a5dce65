#pragma once
// Creates the talk objects of the layer list by kind (0 still picture, 1 animated
// picture, 2 colour fill, 3 noise, 4 time-of-day background); other kinds get none.
#include "engine/draw/SceneFactory.h"

class CTalkObjectManager;

class CTalkFactory : public ISceneFactory, public CSceneObjectBase {
public:
    explicit CTalkFactory(CTalkObjectManager* manager) : m_Manager(manager) {}
    std::unique_ptr<CSceneBase> Create(int32_t kind) override;
    CTalkObjectManager* GetManager() const { return m_Manager; }

private:
    CTalkObjectManager* m_Manager;
};
