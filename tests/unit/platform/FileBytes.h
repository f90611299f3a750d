#pragma once
// Whole files as bytes, for tests that write their inputs and read back what was written.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace pictavo::testing_support {

inline void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

inline QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace pictavo::testing_support
