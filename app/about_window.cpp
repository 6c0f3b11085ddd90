#include "app/about_window.h"

#include "ui/pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 432;
constexpr int kHeight = 207;
constexpr qreal kSmallestPoints = 5;

} // namespace

QString about_text()
{
    return QStringLiteral("\n"
                          "  Программа \"Vestorin Dovov transport\"\n"
                          "  Версия 1.05\n"
                          "\n"
                          "         Тел.: +7 (800) 555-01-23\n"
                          "         E-mail: info@vestorin.example\n"
                          "         www.vestorin.example\n"
                          "  Северогорск  2012 г");
}

AboutWindow::AboutWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(kWidth, kHeight);

    auto* image = new QLabel(this);
    image->setPixmap(picture(Picture::About));
    image->setGeometry(5, 5, 146, 155);
    image->setAccessibleName(QStringLiteral("Эмблема программы"));

    auto* frame = new QGroupBox(QStringLiteral("Информация"), this);
    frame->setGeometry(158, 2, kWidth - 163, 163);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(4, 2, 4, 4);
    text_ = new QTextEdit(frame);
    text_->setReadOnly(true);
    text_->setPalette([this] {
        QPalette palette = text_->palette();
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Text, QColor(246, 244, 31));
        return palette;
    }());
    text_->setAutoFillBackground(true);
    // Every line shows whole: no wrapping, no scroll bars; the font is made
    // to fit once the box has its size (see showEvent).
    text_->setLineWrapMode(QTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->document()->setDocumentMargin(2);
    text_->setPlainText(about_text());
    // A screen reader reads the line the cursor is on when the text gets
    // the keyboard: the first line with words, not the empty one above it.
    QTextCursor cursor(text_->document());
    while (cursor.block().text().trimmed().isEmpty() && cursor.movePosition(QTextCursor::NextBlock)) {
    }
    text_->setTextCursor(cursor);
    inside->addWidget(text_);

    ok_ = new QPushButton(QStringLiteral("Ок"), this);
    ok_->setObjectName(QStringLiteral("AboutOkButton"));
    ok_->setGeometry(kWidth - 119, kHeight - 33, 114, 25);
    connect(ok_, &QPushButton::clicked, this, &AboutWindow::closeRequested);
    // Enter or Space closes the window as soon as it opens.
    ok_->setAutoDefault(true);
    ok_->setFocus(Qt::OtherFocusReason);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame_rect = frameGeometry();
        frame_rect.moveCenter(screen->availableGeometry().center());
        move(frame_rect.topLeft());
    }
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (QLayout* inside = text_->parentWidget()->layout())
        inside->activate();
    fit_text_font(text_);
}

void fit_text_font(QTextEdit* box)
{
    // From the tool's font down, half a point at a time, to the first size at
    // which the whole text fits the visible area.
    QFont font = QApplication::font();
    const QSizeF room = box->viewport()->size();
    for (qreal size = font.pointSizeF(); size >= kSmallestPoints; size -= 0.5) {
        font.setPointSizeF(size);
        box->document()->setDefaultFont(font);
        const QSizeF need = box->document()->size();
        if (need.width() <= room.width() && need.height() <= room.height())
            break;
    }
    box->setFont(font);
}

void AboutWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        emit closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}
