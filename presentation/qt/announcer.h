#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

namespace quadrell {

class SpokenNotice;

// Tells screen readers the outcome of the user's action without moving the focus: the window
// shows a notification that only screen readers see. (Qt 6.4 has no announcement event, and its
// AT-SPI bridge sends a change of a control's name or description without the new text, so Orca
// speaks neither; a notification it reads from the object itself.)
class Announcer {
public:
    explicit Announcer(QWidget* window);
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // Says `words`.
    void announce(const QString& words);

private:
    SpokenNotice* notice_;  // owned by Qt's registry of accessible objects
    QAccessible::Id id_;
};

}  // namespace quadrell
