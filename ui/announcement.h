#pragma once
// Texts told to a screen reader as they happen, while the keyboard stays on
// the control it is on.
//
// Each telling is an accessible notification of its own: a widget of zero
// size that takes no focus, shown once in the window. A screen reader speaks
// a notification when it shows, reading its text at that moment, so no
// telling ever renames one that is still to be read; the one before is
// hidden again, and a page switch shows none anew.
//
// Texts told before the event loop turns are told together, in order. While
// the window is blocked (disabled under a secondary window or a transfer,
// or under a message box or file dialog, or another window of the tool
// still active) they wait until it is free again: a screen reader that moves
// to another window cuts off what it was saying.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>

class QLabel;
class QTimer;

// One notification: its accessible name is its text, and a label inside
// holds it once more (screen readers speak a notification by the labels it
// holds).
class Announcement : public QWidget {
    Q_OBJECT
public:
    // Hidden until shown.
    Announcement(QWidget* parent, const QString& text);

    [[nodiscard]] QString text() const;

private:
    QLabel* label_ = nullptr;
};

class Announcer : public QObject {
    Q_OBJECT
public:
    // The announcer of widget's window, made on first use.
    [[nodiscard]] static Announcer* of(QWidget* widget);

    // Tells text after the texts before it, at the next turn of the event
    // loop on which the window is free; an empty text tells nothing.
    void announce(const QString& text);

    // The text of the notification shown last, and whether texts wait.
    [[nodiscard]] QString told() const;
    [[nodiscard]] bool waiting() const { return !pending_.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Announcer(QWidget* window);
    [[nodiscard]] bool window_free() const;
    void tell_pending();

    QWidget* window_;
    QTimer* turn_;
    QStringList pending_;
    // The notifications shown so far, the newest last; the oldest go.
    std::deque<QPointer<Announcement>> shown_;
};
