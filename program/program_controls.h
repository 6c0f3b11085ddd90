#pragma once
// The four fields of the program that their controls hold: the weekday on
// show, the sound type, the fast-pulse time and the sound-off state.

struct AppContext;

// Copies the four controls into the model's text fields: a combo without a
// selected item gives an empty text.
void sync_program_from_controls(AppContext& ctx);

// Sets the four controls from the model without raising control events. A
// combo selects the item equal to the text with letter case ignored; an
// empty text leaves no item selected; a text matching no item leaves the
// selection as it was.
void set_controls_from_program(AppContext& ctx);
