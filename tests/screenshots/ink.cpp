#include "ink.h"

#include <algorithm>

namespace quadrell::screenshots {

Ink::Ink(int areaWidth, int areaHeight)
    : areaWidth_(areaWidth), marked_(static_cast<std::size_t>(areaWidth * areaHeight)),
      columns_(static_cast<std::size_t>(areaWidth))
{
}

void Ink::add(int x, int y)
{
    ++count_;
    left_ = std::min(left_, x), right_ = std::max(right_, x);
    top_ = std::min(top_, y), bottom_ = std::max(bottom_, y);
    marked_[Index(x, y)] = true;
    columns_[static_cast<std::size_t>(x)] = true;
}

}  // namespace quadrell::screenshots
