#pragma once

#include <string>

#include "dom.h"
#include "form_design.h"

namespace quadrell::web {

// The elements that make one control of the design table on the page.
struct ControlElements {
    Node native;       // the native element: check box, text input, button, text
    Node area;         // what is placed, sized and coloured: a box's label holds its caption too
    Node description;  // hidden text the native element is described by
};

// Makes `control` as the native HTML element for its kind, placed and sized in CSS pixels at
// 96 dpi, in the designed font, and adds it to `parent` after the controls made before it (the
// page's order is the table's, which is the focus order), its description to `descriptions`.
ControlElements MakeControl(Node parent, Node descriptions, const design::Control& control);

// "Check1_3", "Text1": the id each control's native element takes.
std::string ElementId(const design::Control& control);

}  // namespace quadrell::web
