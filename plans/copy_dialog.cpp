#include "plans/copy_dialog.h"

#include "app/app_context.h"

CopyDialog::CopyDialog(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void CopyDialog::bind() {}
void CopyDialog::open() {}
bool CopyDialog::is_open() const
{
    return false;
}
