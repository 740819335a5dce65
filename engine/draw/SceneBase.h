#pragma once
// The object interface shared by scenes, modes, layer-list objects, talk objects and
// motion effects: load, update once a frame, draw, rebuild after the graphics device
// was reset, destroy.  Every operation does nothing unless overridden, so a screen part
// held as a member object overrides only what it needs.
class CSceneBase {
public:
    virtual void Load() {}
    virtual void Update() {}
    virtual void Draw() {}
    // Runs after a lost graphics device has been reset: rebuild textures.
    virtual void OnDeviceRestored() {}
    virtual ~CSceneBase() = default;
};

// The second base of scene-like objects; its only operation is the destructor.
class CSceneObjectBase {
public:
    virtual ~CSceneObjectBase() = default;
};
