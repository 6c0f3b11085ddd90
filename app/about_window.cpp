#include "app/about_window.h"

#include "app/pictures.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 432;
constexpr int kHeight = 207;

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
    image->setPixmap(picture(3));
    image->setGeometry(5, 5, 146, 155);

    auto* frame = new QGroupBox(QStringLiteral("Информация"), this);
    frame->setGeometry(158, 2, kWidth - 163, 163);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(6, 4, 6, 6);
    text_ = new QTextEdit(frame);
    text_->setReadOnly(true);
    text_->setPalette([this] {
        QPalette palette = text_->palette();
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Text, QColor(246, 244, 31));
        return palette;
    }());
    text_->setAutoFillBackground(true);
    text_->setPlainText(about_text());
    inside->addWidget(text_);

    ok_ = new QPushButton(QStringLiteral("Ок"), this);
    ok_->setObjectName(QStringLiteral("AboutOkButton"));
    ok_->setGeometry(kWidth - 119, kHeight - 33, 114, 25);
    connect(ok_, &QPushButton::clicked, this, &AboutWindow::closeRequested);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame_rect = frameGeometry();
        frame_rect.moveCenter(screen->availableGeometry().center());
        move(frame_rect.topLeft());
    }
}

void AboutWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}
