#pragma once
// Qt's file dialog keeps its state (last folder, history, side bar, column
// widths, view) among the user's settings when it is destroyed, and reads it
// back when the next one is made, in this run or the next. The tool reads no
// settings and remembers nothing between runs: a file dialog is made and
// destroyed only while a DialogStateScope lives.

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class DialogStateScope {
public:
    DialogStateScope();
    ~DialogStateScope();
    DialogStateScope(const DialogStateScope&) = delete;
    DialogStateScope& operator=(const DialogStateScope&) = delete;

private:
    // Where the settings cannot be moved away: the entries that were there
    // before, put back when the scope ends.
    std::vector<std::pair<QString, QVariant>> set_aside_;
};
