#pragma once
// Creates motion effects by id: 1 to 37 give CMotionEffect01 to CMotionEffect37, any
// other id the plain effect.
#include <cstdint>
#include <memory>

#include "engine/adv/MotionEffect.h"

class IMotionFactory {
public:
    virtual ~IMotionFactory() = default;
    virtual std::unique_ptr<CMotionEffect> Create(int32_t id) = 0;
    // Destroys an effect made by Create; null is accepted.
    virtual void Release(std::unique_ptr<CMotionEffect> effect) { effect.reset(); }
};

class CTalkMotionFactory : public IMotionFactory {
public:
    std::unique_ptr<CMotionEffect> Create(int32_t id) override;
};
