#pragma once
// The dialog that copies one weekday's intervals onto other weekdays.

#include <QObject>

struct AppContext;

class CopyDialog : public QObject {
    Q_OBJECT
public:
    explicit CopyDialog(AppContext& ctx, QObject* parent = nullptr);

    // Connects CopyTimeParamsButton to open().
    void bind();
    void open();
    [[nodiscard]] bool is_open() const;

private:
    AppContext& ctx_;
};
