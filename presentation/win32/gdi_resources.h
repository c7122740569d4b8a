#pragma once

#include <map>
#include <utility>
#include <vector>

#include <windows.h>

#include "colour.h"
#include "form_design.h"

namespace quadrell::win32 {

// The brushes and fonts the window paints with at one screen resolution, each made when first
// asked for and freed with the window, or when the window moves to a screen of another scale.
class GdiResources {
public:
    explicit GdiResources(int dotsPerInch);
    ~GdiResources();
    GdiResources(const GdiResources&) = delete;
    GdiResources& operator=(const GdiResources&) = delete;

    HBRUSH brush(Colour colour);
    HFONT font(const design::Font& font);
    // The desktop's dialog font at regular weight, sized so that every caption fits its control.
    HFONT dialogFont();
    int dotsPerInch() const { return dotsPerInch_; }
    int pixels(int twips) const;

private:
    HFONT createFont(const design::Font& font);

    int dotsPerInch_;
    HFONT dialogFont_ = nullptr;
    std::map<Colour, HBRUSH> brushes_;
    std::vector<std::pair<design::Font, HFONT>> fonts_;
    std::vector<int> classicSizes_;  // the classic bitmap face's drawn sizes, once asked for
};

}  // namespace quadrell::win32
