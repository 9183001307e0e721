#include "reports/ReportEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavolin {

QStringList defaultTemplateFolders() {
    QStringList folders;
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir(data).filePath(QStringLiteral("tavolin/templates"));
        if (!folders.contains(folder)) folders << folder;
    }
    return folders;
}

namespace {

// "Reports\\CashierRPT.fr3" -> "Reports/CashierRPT.html".
QString withOurExtension(const QString& name) {
    const QFileInfo info(name);
    const QString file = info.completeBaseName() + u'.' + TemplateExtension;
    const QString folder = info.path();
    return folder == QStringLiteral(".") && !name.startsWith(QStringLiteral("./")) ? file : folder + u'/' + file;
}

bool isFile(const QString& path) { return QFileInfo(path).isFile(); }

}  // namespace

QString locateTemplate(const QString& name, const QStringList& folders) {
    QString normal = name.trimmed();
    if (normal.isEmpty()) return {};
    if (normal.startsWith(QStringLiteral(":/"))) return isFile(normal) ? normal : QString();
    // Names come with Windows separators; our files live in ordinary folders.
    normal.replace(u'\\', u'/');
    const QString ours = withOurExtension(normal);
    if (QDir::isAbsolutePath(normal)) {
        if (isFile(ours)) return QDir::cleanPath(ours);
        // A downloaded template keeps the name it was fetched under.
        return isFile(normal) ? QDir::cleanPath(normal) : QString();
    }
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(ours);
        if (isFile(candidate)) return QDir::cleanPath(candidate);
    }
    return {};
}

}  // namespace tavolin
