#pragma once
// Scripted draws for the event choice: each source answers from its own list and
// records the ranges it was asked for.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "game/raising/event/EventDraw.h"

namespace eventtest {

class CScriptedDraws {
public:
    explicit CScriptedDraws(EEventDraw source, std::deque<uint32_t> values = {})
        : m_Values(std::move(values)),
          m_Override(source, [this](uint32_t n) {
              m_Asked.push_back(n);
              if (m_Values.empty()) {
                  ADD_FAILURE() << "more draws than scripted";
                  return static_cast<uint32_t>(m_Asked.size());  // changes, so that no redraw loop sticks
              }
              uint32_t v = m_Values.front();
              m_Values.pop_front();
              return v;
          }) {}
    void Push(std::deque<uint32_t> values) { m_Values.insert(m_Values.end(), values.begin(), values.end()); }
    // The ranges asked for so far.
    const std::vector<uint32_t>& Asked() const { return m_Asked; }
    size_t Left() const { return m_Values.size(); }

private:
    std::deque<uint32_t> m_Values;
    std::vector<uint32_t> m_Asked;
    CEventDrawOverride m_Override;
};

}  // namespace eventtest
