#pragma once
// The About window: picture 3, the frame "Информация" with the program's
// text on black, and AboutOkButton.

#include <QString>
#include <QWidget>

class QPushButton;
class QTextEdit;

// The text of the About box, lines separated by a single line feed, no line
// feed after the last line.
[[nodiscard]] QString about_text();

// Sets the largest font, up to the tool's own, at which box shows its whole
// text without wrapping or scrolling.
void fit_text_font(QTextEdit* box);

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    // Created invisible, owned by owner, centred on the screen, with
    // AboutOkButton focused.
    explicit AboutWindow(QWidget* owner);

    QPushButton* ok_button() const { return ok_; }
    QTextEdit* text_box() const { return text_; }

signals:
    // AboutOkButton, the close box or Escape; the window does not close by
    // itself.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* ok_ = nullptr;
    QTextEdit* text_ = nullptr;
};
