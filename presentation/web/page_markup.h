#pragma once

#include <string>

#include "dom.h"
#include "form_design.h"

namespace quadrell::web {

// The window's controls as the page's HTML, written from the design table: each control the
// native HTML element for its kind, placed and sized in CSS pixels at 96 dpi, in the designed
// font, in the table's order (which is the focus order). The browser builds it all in one pass,
// as it builds a page it loads.
std::string FormMarkup();

// The elements that make one control of the design table on the page.
struct ControlElements {
    Node native;  // the native element: check box, text input, button, text
    Node area;    // what is placed, sized and coloured: a box's label holds its caption too
};

// `control`'s elements within `markup`, the form's markup as the browser built it.
ControlElements FindControl(Node markup, const design::Control& control);

// "Check1_3", "Text1": the id each control's native element takes.
std::string ElementId(const design::Control& control);

}  // namespace quadrell::web
