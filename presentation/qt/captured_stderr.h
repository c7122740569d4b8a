#pragma once

#include <QByteArray>

namespace quadrell {

// While it exists, whatever the process writes to its standard error goes into a buffer instead:
// libraries such as libxcb write a display's refusal there directly, with no line ending, and the
// program wants to say it in its own words. The destructor puts standard error back.
class CapturedStderr {
public:
    CapturedStderr();
    ~CapturedStderr();
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    // What was written so far.
    QByteArray text() const;
    // Writes to the standard error that was there before the capture.
    void writeToOriginal(const QByteArray& bytes) const;

private:
    int buffer_ = -1;
    int original_ = -1;
};

}  // namespace quadrell
