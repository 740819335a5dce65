#include "engine/adv/MotionFactory.h"

#include "engine/adv/MotionEffectVertical.h"
#include "engine/adv/MotionEffectZoom.h"

std::unique_ptr<CMotionEffect> CTalkMotionFactory::Create(int32_t id) {
    switch (id) {
        case 1: return std::make_unique<CMotionEffect01>();
        case 2: return std::make_unique<CMotionEffect02>();
        case 3: return std::make_unique<CMotionEffect03>();
        case 4: return std::make_unique<CMotionEffect04>();
        case 5: return std::make_unique<CMotionEffect05>();
        case 6: return std::make_unique<CMotionEffect06>();
        case 7: return std::make_unique<CMotionEffect07>();
        case 8: return std::make_unique<CMotionEffect08>();
        case 9: return std::make_unique<CMotionEffect09>();
        case 10: return std::make_unique<CMotionEffect10>();
        case 11: return std::make_unique<CMotionEffect11>();
        case 12: return std::make_unique<CMotionEffect12>();
        case 13: return std::make_unique<CMotionEffect13>();
        case 14: return std::make_unique<CMotionEffect14>();
        case 15: return std::make_unique<CMotionEffect15>();
        case 16: return std::make_unique<CMotionEffect16>();
        case 17: return std::make_unique<CMotionEffect17>();
        case 18: return std::make_unique<CMotionEffect18>();
        case 19: return std::make_unique<CMotionEffect19>();
        case 20: return std::make_unique<CMotionEffect20>();
        case 21: return std::make_unique<CMotionEffect21>();
        case 22: return std::make_unique<CMotionEffect22>();
        case 23: return std::make_unique<CMotionEffect23>();
        case 24: return std::make_unique<CMotionEffect24>();
        case 25: return std::make_unique<CMotionEffect25>();
        case 26: return std::make_unique<CMotionEffect26>();
        case 27: return std::make_unique<CMotionEffect27>();
        case 28: return std::make_unique<CMotionEffect28>();
        case 29: return std::make_unique<CMotionEffect29>();
        case 30: return std::make_unique<CMotionEffect30>();
        case 31: return std::make_unique<CMotionEffect31>();
        case 32: return std::make_unique<CMotionEffect32>();
        case 33: return std::make_unique<CMotionEffect33>();
        case 34: return std::make_unique<CMotionEffect34>();
        case 35: return std::make_unique<CMotionEffect35>();
        case 36: return std::make_unique<CMotionEffect36>();
        case 37: return std::make_unique<CMotionEffect37>();
        default: return std::make_unique<CMotionEffectPlain>();
    }
}
