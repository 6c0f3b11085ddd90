#include "plans/copy_dialog_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

#include "program/core/device_program.h"
#include "ui/pictures.h"
#include "ui/window_focus.h"

namespace {

QListWidget* weekday_list(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(mode);
    return list;
}

QPushButton* push_button(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

CopyDialogWindow::CopyDialogWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("CopyDialogWindow"));
    setWindowTitle(QStringLiteral("Копирование временных параметров"));
    setFixedSize(360, 186);
    move(623, 125);

    source_list_ = weekday_list(this, "CopyDialogSourceList", QAbstractItemView::SingleSelection);
    source_list_->setGeometry(5, 5, 135, 105);
    target_list_ = weekday_list(this, "CopyDialogTargetList", QAbstractItemView::ExtendedSelection);
    target_list_->setGeometry(225, 5, 130, 106);
    cancel_button_ = push_button(this, "CopyDialogCancelButton", QStringLiteral("Отмена"));
    cancel_button_->setGeometry(275, 153, 80, 25);
    copy_button_ = push_button(this, "CopyDialogCopyButton", QStringLiteral("Копировать"));
    copy_button_->setGeometry(185, 153, 80, 25);
    image_button_ = push_button(this, "CopyDialogImageButton", QString());
    image_button_->setIcon(picture_icon(Picture::CopyDialogImage));
    image_button_->setIconSize(picture_size(Picture::CopyDialogImage));
    image_button_->setGeometry(157, 45, 50, 25);
    hint_ = new QLabel(QStringLiteral("Для выбора нескольких пунктов,удерживайте CTRL"), this);
    hint_->setObjectName(QStringLiteral("CopyDialogHint"));
    // 267 x 20, or what the text needs in a larger font.
    hint_->setGeometry(5, 113, std::max(267, hint_->sizeHint().width()),
                       std::max(20, hint_->sizeHint().height()));

    for (const char* name : zuzo::weekday_names()) {
        source_list_->addItem(QString::fromUtf8(name));
    }
    for (const char* name : zuzo::weekday_names()) {
        target_list_->addItem(QString::fromUtf8(name));
    }
    source_list_->setCurrentRow(-1);
    target_list_->setCurrentRow(-1);

    // What a screen reader says, and Tab in the order of the layout.
    source_list_->setAccessibleName(QStringLiteral("Копировать из дня"));
    target_list_->setAccessibleName(QStringLiteral("Копировать в дни"));
    // The keyboard's way to choose several days, where a screen reader
    // tells it: with the list that takes them, and with the hint.
    target_list_->setAccessibleDescription(
        QStringLiteral("Несколько дней: Ctrl и щелчок мышью, или Ctrl, стрелки и пробел"));
    hint_->setAccessibleDescription(target_list_->accessibleDescription());
    image_button_->setAccessibleName(QStringLiteral("Копировать из дня в дни"));
    setTabOrder(source_list_, image_button_);
    setTabOrder(image_button_, target_list_);
    setTabOrder(target_list_, copy_button_);
    setTabOrder(copy_button_, cancel_button_);
    enter_presses_buttons(this);
    source_list_->installEventFilter(this);
    target_list_->installEventFilter(this);
}

bool CopyDialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* list = qobject_cast<QListWidget*>(watched);
    if (list != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool step = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up;
        if (step && key->modifiers() == Qt::NoModifier && list->selectedItems().isEmpty()) {
            QListWidgetItem* item = list->currentItem() != nullptr ? list->currentItem() : list->item(0);
            list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CopyDialogWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

void CopyDialogWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel_button_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
