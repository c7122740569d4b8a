#pragma once

#include <vector>

namespace quadrell::screenshots {

// The pixels of an area that stand out from its background: how many, their bounding box, and
// which they are.
class Ink {
public:
    explicit Ink(int areaWidth, int areaHeight);

    void add(int x, int y);

    int count() const { return count_; }
    bool any() const { return count_ > 0; }
    bool at(int x, int y) const { return marked_[Index(x, y)]; }
    bool inColumn(int x) const { return columns_[static_cast<std::size_t>(x)]; }
    // The bounding box, inclusive; meaningful only when there is ink.
    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return right_; }
    int bottom() const { return bottom_; }
    int width() const { return right_ - left_ + 1; }
    int height() const { return bottom_ - top_ + 1; }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * areaWidth_ + x); }

    int areaWidth_;
    int count_ = 0;
    int left_ = 1 << 20, top_ = 1 << 20, right_ = -1, bottom_ = -1;
    std::vector<bool> marked_, columns_;
};

}  // namespace quadrell::screenshots
