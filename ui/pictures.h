#pragma once
// The eleven pictures of the tool, known by their numbers 0..10.

#include <QIcon>
#include <QPixmap>
#include <QSize>

enum class Picture {
    Warning = 0,         // every warning picture, 45 x 30
    CopyTimeParams = 1,  // CopyTimeParamsButton, 24 x 24
    CopyDialogImage = 2, // the arrow of the copy dialog's image button, 50 x 25
    About = 3,           // the About window, 146 x 155
    ToolNew = 4,         // the toolbar buttons, 16 x 16 each
    ToolOpen = 5,
    ToolSave = 6,
    ToolHelp = 7,
    ToolSite = 8,
    ToolAbout = 9,
    ToolExit = 10,
};
constexpr int PICTURE_COUNT = 11;

// Size in device-independent pixels; an empty size for numbers outside 0..10.
[[nodiscard]] QSize picture_size(Picture which);

// The picture drawn at its size for the given device pixel ratio (0: the
// application's ratio), so that it stays sharp on scaled screens. A null
// pixmap for numbers outside 0..10.
[[nodiscard]] QPixmap picture(Picture which, qreal ratio = 0);

// The picture as an icon, sharp at 100 % and 200 %.
[[nodiscard]] QIcon picture_icon(Picture which);

// The icon of the tool's windows.
[[nodiscard]] QIcon application_icon();
