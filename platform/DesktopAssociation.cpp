#include "platform/DesktopAssociation.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace platform {

namespace {

constexpr int kToolTimeout = 10000;

// Runs xdg-mime with arguments; its standard output, or nothing when it could not run or
// failed.
std::optional<QString> runXdgMime(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdg-mime"), arguments);
    if (!tool.waitForFinished(kToolTimeout) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The user's association file, where xdg-mime records defaults.
QString userAssociations() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mimeapps.list");
}

} // namespace

std::string mimeTypeOfExtension(std::string_view extension) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + text(extension),
                                                           QMimeDatabase::MatchExtension);
    if (type.isValid() && !type.isDefault())
        return type.name().toStdString();
    // Where the desktop's database lacks them, the names shared-mime-info gives these two.
    if (extension == ".txt")
        return "text/plain";
    if (extension == ".ini")
        return "application/x-wine-extension-ini";
    return {};
}

bool isDefaultApplication(std::string_view mimeType, std::string_view desktopFile) {
    if (mimeType.empty())
        return false;
    const auto current =
        runXdgMime({QStringLiteral("query"), QStringLiteral("default"), text(mimeType)});
    return current && *current == text(desktopFile);
}

bool makeDefaultApplication(std::string_view mimeType, std::string_view desktopFile) {
    return !mimeType.empty() &&
           runXdgMime({QStringLiteral("default"), text(desktopFile), text(mimeType)}).has_value();
}

bool stopBeingDefaultApplication(std::string_view mimeType, std::string_view desktopFile) {
    QFile file(userAssociations());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    file.close();
    const QString key = text(mimeType) + u'=';
    const QString entry = text(desktopFile);
    QStringList kept;
    bool inDefaults = false;
    bool changed = false;
    for (const QString& line : lines) {
        if (line.startsWith(u'['))
            inDefaults = line.trimmed() == QStringLiteral("[Default Applications]");
        if (inDefaults && line.startsWith(key)) {
            QStringList apps = line.mid(key.size()).split(u';', Qt::SkipEmptyParts);
            if (apps.removeAll(entry) > 0) {
                changed = true;
                if (!apps.isEmpty())
                    kept << key + apps.join(u';') + u';';
                continue;
            }
        }
        kept << line;
    }
    if (!changed)
        return true;
    QSaveFile out(userAssociations());
    return out.open(QIODevice::WriteOnly | QIODevice::Text) &&
           out.write(kept.join(u'\n').toUtf8()) >= 0 && out.commit();
}

} // namespace platform
