#pragma once

namespace quadrell::design {

// The smallest size a control's text is ever given, in points: below it the captions are no
// longer comfortably readable.
inline constexpr double SmallestFittedPoints = 8.0;

// The point size for the controls that have no font of their own: the desktop's default size when
// every caption fits its control at it, otherwise the largest size, in half points, between
// SmallestFittedPoints and the desktop's at which they all fit. `fits(points)` measures that with the
// toolkit's own metrics and must hold at smaller sizes wherever it holds at a larger one.
template <typename Fits>
double FittedPointSize(double desktopPoints, Fits fits)
{
    double points = desktopPoints;
    while (points - 0.5 >= SmallestFittedPoints && !fits(points))
        points -= 0.5;
    return points;
}

}  // namespace quadrell::design
