#include "platform/NameExtension.h"

#include <QFile>

#include "platform/FileNames.h"

namespace pictavo {

QString NameExtension(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    const std::string_view extension = FileExtension(std::string_view(bytes.constData(), bytes.size()));
    return QFile::decodeName(QByteArray(extension.data(), static_cast<qsizetype>(extension.size())));
}

}  // namespace pictavo
