#pragma once

#include <string>

#include "handlers.h"
#include "state_observer.h"
#include "window_state.h"

namespace quadrell::testing_support {

// The boxes' values as a binary text, most significant first; '?' for a value that is neither.
inline std::string BoxBits(const WindowState& state)
{
    std::string bits;
    for (int k = 0; k < BoxCount; ++k)
        bits += state.box(k).value == 1 ? '1' : state.box(k).value == 0 ? '0' : '?';
    return bits;
}

// The byte the boxes hold, counted independently of the handlers.
inline int BoxByte(const WindowState& state)
{
    int byte = 0;
    for (int k = 0; k < BoxCount; ++k)
        byte = byte * 2 + (state.box(k).value == 1 ? 1 : 0);
    return byte;
}

// The box colours as a text: 'G' for the split colour, 'Y' for the base colour, '?' otherwise.
inline std::string BoxColours(const WindowState& state)
{
    std::string colours;
    for (int k = 0; k < BoxCount; ++k) {
        const Colour c = state.box(k).backColour;
        colours += c == SplitColour ? 'G' : c == BaseColour ? 'Y' : '?';
    }
    return colours;
}

// A window state with the real handlers bound, that also counts how often each notification ran.
struct CountingState {
    WindowState state;
    NumberFormat format;
    int refreshRuns = 0;
    int decimalEntryRuns = 0;

    explicit CountingState(NumberFormat numberFormat = {}) : format(std::move(numberFormat))
    {
        BindHandlers(state, format);
        state.onCheck1Click([this](WindowState& s, std::int16_t /*index*/) {
            ++refreshRuns;
            RefreshDisplays(s, format);
        });
        state.onText1Change([this](WindowState& s) {
            ++decimalEntryRuns;
            ApplyDecimalEntry(s);
        });
    }

    void resetCounts() { refreshRuns = decimalEntryRuns = 0; }

    // Types `text` one character at a time, as a user at the keyboard would.
    void type(const std::string& text)
    {
        for (char c : text)
            state.userEditsText1(state.text1() + c);
    }
};

}  // namespace quadrell::testing_support
