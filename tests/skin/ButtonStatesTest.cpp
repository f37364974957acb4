#include "skin/ButtonStates.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(ButtonState state, std::ostream* out)
{
    static const char* const names[] = {"Normal", "Over", "Pressed", "Disabled"};
    *out << names[static_cast<int>(state)];
}

namespace {

constexpr ButtonState N = ButtonState::Normal;
constexpr ButtonState O = ButtonState::Over;
constexpr ButtonState P = ButtonState::Pressed;
constexpr ButtonState D = ButtonState::Disabled;
using Rules = std::pair<ButtonStates::PressRule, ButtonStates::HoverRule>;

const Rules kMainWindow{ButtonStates::PressRule::ResetOthers,
                        ButtonStates::HoverRule::LightUnderPointer};
const Rules kOptions{ButtonStates::PressRule::ResetOthers,
                     ButtonStates::HoverRule::KeepPressedUnderPointer};
const Rules kAboutBox{ButtonStates::PressRule::KeepOthers,
                      ButtonStates::HoverRule::LightUnderPointer};

enum class Mouse
{
    Hover,
    Press,
};

struct Step
{
    Mouse mouse;
    int region;
    std::vector<ButtonState> after;
    bool changed;
};

struct Sequence
{
    const char* name;
    Rules rules;
    std::vector<ButtonState> before;
    std::vector<Step> steps;
};

void PrintTo(const Sequence& sequence, std::ostream* out)
{
    *out << sequence.name;
}

const Sequence kSequences[] = {
    {"HoverLightsOneButtonAtATime",
     kMainWindow,
     {N, N, N, N},
     {{Mouse::Hover, 1, {N, O, N, N}, true},
      {Mouse::Hover, 1, {N, O, N, N}, false},
      {Mouse::Hover, 3, {N, N, N, O}, true},
      {Mouse::Hover, -1, {N, N, N, N}, true},
      {Mouse::Hover, -1, {N, N, N, N}, false}}},
    {"PressStaysUntilThePointerMoves",
     kMainWindow,
     {N, N, N, N},
     {{Mouse::Hover, 2, {N, N, O, N}, true},
      {Mouse::Press, 2, {N, N, P, N}, true},
      {Mouse::Hover, 2, {N, N, O, N}, true},
      {Mouse::Press, 2, {N, N, P, N}, true},
      {Mouse::Hover, 0, {O, N, N, N}, true}}},
    {"DisabledNeverLightsNorPresses",
     kMainWindow,
     {N, D, N, N},
     {{Mouse::Hover, 1, {N, D, N, N}, false},
      {Mouse::Hover, 0, {O, D, N, N}, true},
      {Mouse::Press, 1, {N, D, N, N}, true},
      {Mouse::Press, 1, {N, D, N, N}, false},
      {Mouse::Hover, -1, {N, D, N, N}, false}}},
    {"PressOutsideEveryRegionFreesTheOthers",
     kMainWindow,
     {P, O, D, N},
     {{Mouse::Press, -1, {N, N, D, N}, true}, {Mouse::Press, 9, {N, N, D, N}, false}}},
    {"OptionsKeepAPressedButtonPressedUnderThePointer",
     kOptions,
     {N, N, D, N},
     {{Mouse::Hover, 0, {O, N, D, N}, true},
      {Mouse::Press, 1, {N, P, D, N}, true},
      {Mouse::Hover, 1, {N, P, D, N}, false},
      {Mouse::Hover, 3, {N, N, D, O}, true},
      {Mouse::Press, 2, {N, N, D, N}, true}}},
    {"AboutBoxPressLeavesTheOthers",
     kAboutBox,
     {N, O, P, N},
     {{Mouse::Press, 0, {P, O, P, N}, true},
      {Mouse::Press, 0, {P, O, P, N}, false},
      {Mouse::Press, -1, {P, O, P, N}, false},
      {Mouse::Hover, 3, {N, N, N, O}, true}}},
};

class ButtonStatesSequence : public testing::TestWithParam<Sequence>
{};

TEST_P(ButtonStatesSequence, FollowsTheMouse)
{
    const Sequence& sequence = GetParam();
    ButtonStates states(static_cast<int>(sequence.before.size()), sequence.rules.first,
                        sequence.rules.second);
    for (int i = 0; i < states.count(); ++i) {
        states.setState(i, sequence.before[static_cast<std::size_t>(i)]);
    }
    int number = 0;
    for (const Step& step : sequence.steps) {
        ++number;
        const bool changed =
            step.mouse == Mouse::Press ? states.press(step.region) : states.hover(step.region);
        EXPECT_EQ(changed, step.changed) << "step " << number;
        for (int i = 0; i < states.count(); ++i) {
            EXPECT_EQ(states.state(i), step.after[static_cast<std::size_t>(i)])
                << "step " << number << " button " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, ButtonStatesSequence, testing::ValuesIn(kSequences),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ButtonStates, IndexesOutsideTheTableReadNormalAndIgnoreWrites)
{
    ButtonStates states(2);
    states.setState(2, ButtonState::Disabled);
    states.setState(-1, ButtonState::Disabled);
    EXPECT_EQ(states.state(2), ButtonState::Normal);
    EXPECT_EQ(states.state(-1), ButtonState::Normal);
    EXPECT_FALSE(states.isDisabled(-1));
    EXPECT_EQ(states, ButtonStates(2));
    EXPECT_EQ(ButtonStates(-3).count(), 0);
}

} // namespace
