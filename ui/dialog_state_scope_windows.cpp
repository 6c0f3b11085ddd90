// Qt keeps the dialog's state in the registry, under the user's QtProject
// key, which cannot be moved. The entries found there (another Qt program's)
// are set aside before the dialog is made, so that it reads none of them, and
// once it is gone whatever it wrote is removed and they are put back as they
// were. Keys left empty by that (where there was nothing before) are removed
// too.

#include "ui/dialog_state_scope.h"

#include <QSettings>
#include <QStringList>

#include <windows.h>

namespace {

const QString kOrganisation = QStringLiteral("QtProject");
// The dialog's group, and the single entry older Qt versions kept.
const QString kGroup = QStringLiteral("FileDialog");
const QString kOldEntry = QStringLiteral("Qt/filedialog");
// The keys QSettings makes for the organisation, innermost first.
constexpr const wchar_t* kKeys[] = {L"Software\\QtProject\\OrganizationDefaults", L"Software\\QtProject"};

// Removes the user's key at path when it holds neither values nor keys.
void remove_if_empty(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD subkeys = 0;
    DWORD values = 0;
    const LONG asked = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (asked == ERROR_SUCCESS && subkeys == 0 && values == 0)
        RegDeleteKeyW(HKEY_CURRENT_USER, path);
}

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
    {
        QSettings settings(QSettings::UserScope, kOrganisation);
        settings.remove(kGroup);
        settings.remove(kOldEntry);
        for (const auto& [key, value] : set_aside_)
            settings.setValue(key, value);
    }
    for (const wchar_t* path : kKeys)
        remove_if_empty(path);
}
