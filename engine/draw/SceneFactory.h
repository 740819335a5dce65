#pragma once
// The maker of the objects a scene manager or a layer list holds: it creates the
// object of an id (null when the id has none) and takes it back when the holder is
// done with it.  The holder never deletes an object it got from a factory any other way.
#include <cstdint>
#include <memory>

#include "engine/draw/SceneBase.h"

class ISceneFactory {
public:
    virtual ~ISceneFactory() = default;
    virtual std::unique_ptr<CSceneBase> Create(int32_t id) = 0;
    virtual void Release(std::unique_ptr<CSceneBase> object) { object.reset(); }
};

// The factory a holder uses when none was given: it creates nothing.
class CNullSceneFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t) override { return nullptr; }
    static CNullSceneFactory& Get() {
        static CNullSceneFactory factory;
        return factory;
    }
};
