// Qt keeps the dialog's state in the file QtProject.conf of the user's (and
// the system's) configuration folder. Both folders are moved, once, to a path
// under a device file, where no folder can be made: the dialog finds nothing
// to read there, and its writes fail quietly. The tool itself keeps no
// settings, so nothing else is moved with them.

#include "ui/dialog_state_scope.h"

#include <QSettings>

namespace {

const QString kNowhere = QStringLiteral("/dev/null/zuzo-transport");

} // namespace

DialogStateScope::DialogStateScope()
{
    static const bool moved = [] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNowhere);
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, kNowhere);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, kNowhere);
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, kNowhere);
        return true;
    }();
    (void)moved;
}

DialogStateScope::~DialogStateScope() = default;
