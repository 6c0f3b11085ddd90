#pragma once
// What a screen reader is told of the tool's own kinds of control, where
// Qt's default would mislead: warning pictures are buttons named after their
// warning, the two threshold options are radio buttons (they exclude each
// other through their handlers, not through Qt), the copy dialog, the
// progress window and the About window are dialogs, time pickers and
// numeric edits are heard as in app/accessible_fields.h, combo boxes as in
// app/accessible_combo.h, and unit labels are left out.

// Registers the roles with Qt's accessibility; calling it again does nothing.
void install_accessible_roles();
