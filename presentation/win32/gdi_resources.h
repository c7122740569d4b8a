#pragma once

#include <map>
#include <vector>

#include <windows.h>

#include "colour.h"
#include "form_design.h"

namespace quadrell::win32 {

// The brushes and fonts the window paints with, made once and freed with the window.
class GdiResources {
public:
    explicit GdiResources(int dotsPerInch);
    ~GdiResources();
    GdiResources(const GdiResources&) = delete;
    GdiResources& operator=(const GdiResources&) = delete;

    HBRUSH brush(Colour colour);
    HFONT font(const design::Font& font);
    HFONT dialogFont() const { return dialogFont_; }
    int pixels(int twips) const;

private:
    int dotsPerInch_;
    HFONT dialogFont_ = nullptr;
    std::map<Colour, HBRUSH> brushes_;
    std::vector<HFONT> fonts_;
};

}  // namespace quadrell::win32
