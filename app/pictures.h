#pragma once
// The eleven pictures of the tool, known by their numbers 0..10:
// 0 warning 45 x 30, 1 copy 24 x 24, 2 arrow right 50 x 25, 3 About picture
// 146 x 155, 4..10 toolbar icons 16 x 16 (New, Open, Save, Help, Site,
// About, Exit).

#include <QIcon>
#include <QPixmap>
#include <QSize>

constexpr int PICTURE_COUNT = 11;

// Size in device-independent pixels; an empty size for numbers outside 0..10.
[[nodiscard]] QSize picture_size(int number);

// The picture drawn at its size for the given device pixel ratio (0: the
// application's ratio), so that it stays sharp on scaled screens. A null
// pixmap for numbers outside 0..10.
[[nodiscard]] QPixmap picture(int number, qreal ratio = 0);

// The picture as an icon, sharp at 100 % and 200 %.
[[nodiscard]] QIcon picture_icon(int number);

// The icon of the tool's windows.
[[nodiscard]] QIcon application_icon();
