#include "platform/data_folders.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

#include <cstdio>

namespace mv {

namespace {

constexpr const char* DataFolderName = "morvane-prime";

QString SubfolderOf(TShippedData what) {
    switch (what) {
    case TShippedData::Filers: return QStringLiteral("filer");
    case TShippedData::Help: return QStringLiteral("help");
    case TShippedData::Pictures: return QStringLiteral("version");
    }
    return {};
}

} // namespace

QString ShippedFolder(TShippedData what) {
    const QString relative = QLatin1String(DataFolderName) + QLatin1Char('/') + SubfolderOf(what);
    QStringList roots{QCoreApplication::applicationDirPath() + QStringLiteral("/../share")};
    roots += QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& root : roots) {
        const QFileInfo folder(root + QLatin1Char('/') + relative);
        if (folder.isDir()) return folder.canonicalFilePath();
    }
    return {};
}

QString UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Corlith Applications/Morvane");
}

QString UserFilerFolder() { return UserDataFolder() + QStringLiteral("/filer"); }

bool ReportMissingShippedData() {
    bool complete = true;
    for (const TShippedData what : {TShippedData::Filers, TShippedData::Help, TShippedData::Pictures})
        if (ShippedFolder(what).isEmpty()) {
            std::fprintf(stderr, "Morvane Prime: 同梱データのフォルダ %s/%s が見付かりません.\n",
                         DataFolderName, qPrintable(SubfolderOf(what)));
            complete = false;
        }
    return complete;
}

} // namespace mv
