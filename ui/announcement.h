#pragma once
// A line told to a screen reader the moment it happens, while the keyboard
// stays on the control it is on: an accessible notification whose text is
// the line. It takes no room on the screen (zero size) and no focus; each
// announcement shows it anew, which a screen reader speaks at once.

#include <QString>
#include <QWidget>

class QLabel;

class Announcement : public QWidget {
    Q_OBJECT
public:
    // Hidden until the first announcement.
    explicit Announcement(QWidget* parent);

    [[nodiscard]] QString text() const;
    // Replaces the text and shows the notification again; an empty text
    // only hides it.
    void announce(const QString& text);

private:
    // The text once more as a label inside: screen readers speak a
    // notification by the labels it holds.
    QLabel* label_ = nullptr;
};
