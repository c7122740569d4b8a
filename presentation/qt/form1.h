#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QWidget>

#include "bit_box.h"
#include "colour_policy.h"
#include "form_design.h"
#include "narration.h"
#include "state_observer.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quadrell {

class Announcer;
class BitCheckBox;
class ColouredButton;
class OutlineShape;
class WindowState;

// The Quadrell window: shows a WindowState and turns the user's clicks and edits into its
// notifications. It keeps no state or rules of its own; whatever the state stores, it repaints.
class Form1 : public QWidget, private StateObserver {
    Q_OBJECT

public:
    explicit Form1(WindowState& state, QWidget* parent = nullptr);
    ~Form1() override;

signals:
    // Screen readers were told these words, the outcome of the user's last action.
    void announced(const QString& words);

private:
    void createControls();
    QWidget* createControl(const design::Control& control);
    BitCheckBox* createBitBox(const design::Control& control);
    QLabel* createLabel(const design::Control& control);
    QLineEdit* createEntry(const design::Control& control);
    ColouredButton* createButton(const design::Control& control);
    void linkEntriesToCaptions();
    void chainFocusOrder();

    // The desktop's colours and font, through the shared colour policy and font fitting.
    void changeEvent(QEvent* event) override;
    void applyDesktopColours();
    void applyColours(const design::Control& control);
    void applyDesktopFont();

    void showBoxValue(int k);
    void showBoxColour(int k);
    void describeBoxes();
    QString descriptionOf(const design::Control& control) const;

    // Delivers a user's action to the state, then tells screen readers its outcome.
    void act(design::UserAction action, const std::function<void()>& deliver);

    // StateObserver: the state changed; repaint the control concerned.
    void boxValueChanged(int k) override { showBoxValue(k); }
    void boxColourChanged(int k) override
    {
        showBoxColour(k);
        describeBoxes();
    }
    void label1Changed() override;
    void label3Changed() override;
    void text1Changed() override;
    void text2Changed() override;

    WindowState& state_;
    std::array<BitCheckBox*, BoxCount> bitBoxes_{};
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    ColouredButton* command1_ = nullptr;
    OutlineShape* shape1_ = nullptr;
    design::DesktopScheme scheme_{};  // read from the palette once per change
    std::unique_ptr<Announcer> announcer_;
};

}  // namespace quadrell
