// Qt keeps the dialog's state in the registry, under the user's QtProject
// key, which cannot be moved. The entries found there (another Qt program's)
// are set aside before the dialog is made, so that it reads none of them, and
// once it is gone whatever it wrote is removed and they are put back as they
// were.

#include "ui/dialog_state_scope.h"

#include <QSettings>
#include <QStringList>

namespace {

const QString kOrganisation = QStringLiteral("QtProject");
// The dialog's group, and the single entry older Qt versions kept.
const QString kGroup = QStringLiteral("FileDialog");
const QString kOldEntry = QStringLiteral("Qt/filedialog");

} // namespace

DialogStateScope::DialogStateScope()
{
    QSettings settings(QSettings::UserScope, kOrganisation);
    settings.beginGroup(kGroup);
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys)
        set_aside_.emplace_back(kGroup + QLatin1Char('/') + key, settings.value(key));
    settings.endGroup();
    if (settings.contains(kOldEntry))
        set_aside_.emplace_back(kOldEntry, settings.value(kOldEntry));
    settings.remove(kGroup);
    settings.remove(kOldEntry);
}

DialogStateScope::~DialogStateScope()
{
    QSettings settings(QSettings::UserScope, kOrganisation);
    settings.remove(kGroup);
    settings.remove(kOldEntry);
    for (const auto& [key, value] : set_aside_)
        settings.setValue(key, value);
}
