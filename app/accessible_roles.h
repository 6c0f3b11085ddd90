#pragma once
// What a screen reader is told of the tool's own kinds of control, where
// Qt's default would mislead: warning pictures are buttons named after their
// warning, the two threshold options are radio buttons (they exclude each
// other through their handlers, not through Qt), and the copy dialog, the
// progress window and the About window are dialogs; a combo box is heard by
// its name, its current text being its value.

// Registers the roles with Qt's accessibility; calling it again does nothing.
void install_accessible_roles();
