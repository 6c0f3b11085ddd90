#pragma once
// A textual picture of every named control of a window (state, text,
// enabling, visibility), to show that an action changed nothing.

#include <QStringList>

class QWidget;

[[nodiscard]] QStringList window_snapshot(const QWidget* window);
