#pragma once

namespace quadrell {

// Told of every change the window state stores, after it is stored, so that a front end can
// repaint exactly the control that changed. Nothing here may change the state.
class StateObserver {
public:
    virtual ~StateObserver() = default;

    virtual void boxValueChanged(int /*k*/) {}
    virtual void boxColourChanged(int /*k*/) {}
    virtual void label1Changed() {}
    virtual void label3Changed() {}
    virtual void text1Changed() {}
    virtual void text2Changed() {}
};

}  // namespace quadrell
