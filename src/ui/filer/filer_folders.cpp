#include "ui/filer/filer_folders.h"

#include "platform/data_folders.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

namespace mv {

namespace {

std::string Native(const QString& path) {
    return QFile::encodeName(QDir::cleanPath(path)).toStdString();
}

} // namespace

std::string ShippedFilerFolder() {
    const QString installed = ShippedFolder(TShippedData::Filers);
    return Native(installed.isEmpty() ? QStringLiteral(MV_BUILD_FILER_DIR) : installed);
}

std::vector<std::string> FilerFolders() {
    return {Native(UserFilerFolder()), ShippedFilerFolder()};
}

} // namespace mv
