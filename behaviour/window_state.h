#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "bit_box.h"
#include "colour.h"

namespace quadrell {

class StateObserver;

// Everything the window holds: the eight bit boxes, the binary and decimal displays and the two
// entries. Setters store first and then raise the control's notification, exactly as a user's
// action would, so one handler can drive others. The record knows nothing of any toolkit.
class WindowState {
public:
    using BoxHandler = std::function<void(WindowState&, std::int16_t index)>;
    using Handler = std::function<void(WindowState&)>;

    // What a user may type into the decimal entry, in characters.
    static constexpr std::size_t Text1MaxLength = 3;

    WindowState();
    WindowState(const WindowState&) = delete;
    WindowState& operator=(const WindowState&) = delete;

    // Getters.
    const BitBox& box(int k) const { return boxes_.at(static_cast<std::size_t>(k)); }
    const std::string& label1() const { return label1_; }
    const std::string& label3() const { return label3_; }
    const std::string& text1() const { return text1_; }
    const std::string& text2() const { return text2_; }

    // Setters used by the handlers. Each raises its control's notification only when the value
    // really changes; setting what is already stored does nothing at all.
    void setBoxValue(int k, std::int16_t value);
    void setBoxBackColour(int k, Colour colour);
    void setText1(std::string_view text);
    void setLabel1(std::string_view caption);
    void setLabel3(std::string_view caption);

    // What the user does, delivered by a front end: one notification per action.
    void userClicksBox(int k);
    void userEditsText1(std::string_view text);
    void userClicksText1();
    void userEditsText2(std::string_view text);
    void userClicksCommand1();
    void loadForm1();

    // One handler per notification; an unbound notification does nothing.
    void onCheck1Click(BoxHandler handler) { check1Click_ = std::move(handler); }
    void onText1Change(Handler handler) { text1Change_ = std::move(handler); }
    void onText1Click(Handler handler) { text1Click_ = std::move(handler); }
    void onText2Change(Handler handler) { text2Change_ = std::move(handler); }
    void onCommand1Click(Handler handler) { command1Click_ = std::move(handler); }
    void onForm1Load(Handler handler) { form1Load_ = std::move(handler); }

    // At most one observer; pass nullptr to stop observing. The observer must outlive its watch.
    void setObserver(StateObserver* observer) { observer_ = observer; }

private:
    BitBox& boxAt(int k) { return boxes_.at(static_cast<std::size_t>(k)); }
    void raise(const Handler& handler);
    // Stores `text` in `field` when it differs and tells the observer; true when it changed.
    bool store(std::string& field, std::string_view text, void (StateObserver::*tellObserver)());

    std::array<BitBox, BoxCount> boxes_;
    std::string label1_{NoBitsSet};
    std::string label3_;
    std::string text1_;
    std::string text2_;

    BoxHandler check1Click_;
    Handler text1Change_;
    Handler text1Click_;
    Handler text2Change_;
    Handler command1Click_;
    Handler form1Load_;

    StateObserver* observer_ = nullptr;
};

}  // namespace quadrell
