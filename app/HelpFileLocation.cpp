#include "HelpFileLocation.h"

#include <QDir>
#include <QFileInfo>

namespace pemrix {

QString FindHelpFile(const QString& executablePath)
{
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName() + QStringLiteral(".html");
    const QString beside = executable.dir().filePath(name);
    const QString installed =
        QDir::cleanPath(executable.dir().filePath(QStringLiteral("../share/doc/pemrix/") + name));
    for (const QString& candidate : {beside, installed}) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return beside;
}

} // namespace pemrix
