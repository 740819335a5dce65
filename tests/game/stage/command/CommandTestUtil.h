#pragma once
// The stage on the whole game object (the stage tests' host scene and data) with the
// game's command table in place of their small command set: handlers run one record
// at a time through the factory, or whole scripts frame by frame.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "engine/adv/AdvCommand.h"
#include "game/stage/command/GameTranslatorFactory.h"
#include "tests/game/stage/scene/StageTestUtil.h"

namespace commandtest {

inline CAdvCommand Rec(uint32_t code, std::initializer_list<int32_t> ints = {},
                       std::initializer_list<std::string> strings = {}) {
    CAdvCommand r;
    r.Code = code;
    r.Id = 7;
    size_t i = 0;
    for (int32_t v : ints) r.Ints[i++] = v;
    i = 0;
    for (const std::string& s : strings) r.Strings[i++] = s;
    return r;
}

// A record with the given integer arguments at their indices.
inline CAdvCommand RecAt(uint32_t code, std::initializer_list<std::pair<int, int32_t>> ints,
                         std::initializer_list<std::string> strings = {}) {
    CAdvCommand r = Rec(code, {}, strings);
    for (const auto& [i, v] : ints) r.Ints[static_cast<size_t>(i)] = v;
    return r;
}

class CommandFixture : public stagetest::StageFixture {
protected:
    void Begin(bool branch = false) {
        stagetest::StageFixture::Begin(branch);
        factory.SetScene(&Stage());
        Stage().SetTranslatorFactory(&factory);
    }
    // One record through its handler; the handler's result (-1: no handler).
    int32_t Run(CAdvCommand r) {
        IAdvTranslator* t = factory.Create(r.Code);
        return t ? t->Translate(r) : -1;
    }
    const SLayerRecord* Layer(int32_t id) { return Stage().FindLayerRecord(id); }
    SPoint LayerPos(int32_t id) {
        const SLayerRecord* l = Layer(id);
        return l ? SPoint{static_cast<int32_t>(l->x), static_cast<int32_t>(l->y)} : SPoint{-1, -1};
    }
    const SSoundSlotRecord& Slot(int32_t g, int32_t s) { return *Stage().GetRecord().GetSoundSlot(g, s); }

    CGameTranslatorFactory factory;
};

}  // namespace commandtest
