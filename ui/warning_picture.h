#pragma once
// A clickable warning picture (picture 0, 45 x 30) holding one integer of
// user data: the result of the check it shows. While shown it takes the Tab
// key; Space or Enter on it acts as a left click, and a screen reader hears
// a button named after its warning. One that appears on the screen is told
// to a screen reader by that name, the keyboard staying where it is.

#include <QLabel>

class WarningPicture : public QLabel {
    Q_OBJECT
public:
    explicit WarningPicture(QWidget* parent = nullptr);

    int userData() const { return user_data_; }
    void setUserData(int value) { user_data_ = value; }

    // What Space, Enter and a screen reader's press do: a left click.
    void press() { emit clicked(Qt::LeftButton); }

    void setVisible(bool visible) override;

signals:
    // Raised for every mouse press; handlers act on Qt::LeftButton only.
    void clicked(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int user_data_ = 0;
};
