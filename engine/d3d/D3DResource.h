#pragma once
// A resource that follows its device through a lost device and a reset.  Resources
// register with their CD3DDevice while they exist; the device tells them in order:
// lost (default-pool objects let go of their device memory), reset (they are made
// again, empty, and run their restore callback), destroyed (the device is going).
class ID3DResource {
public:
    virtual ~ID3DResource() = default;
    virtual void OnDeviceLost() = 0;
    virtual void OnDeviceReset() = 0;
    virtual void OnDeviceDestroyed() = 0;
};
