#pragma once
// Folders of test plug-ins and made-up-format pictures for the plug-in host's tests.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

namespace spitest {

// Copies the built test plug-in `kind` ("picture", "archive", ...) into `folder` as
// <kind><suffix>.spi: copies, not links, so that two copies of one plug-in are two libraries
// to the loader.
inline QString CopyPlugin(const QString& folder, const char* kind, const QString& suffix = {}) {
    QDir().mkpath(folder);
    const QString target = folder + "/" + QLatin1String(kind) + suffix + ".spi";
    QFile::copy(QStringLiteral(PICTAVO_TEST_PLUGIN_DIR "/%1/test_%1.spi").arg(QLatin1String(kind)), target);
    return target;
}

// A "PVTX" picture: magic, width, height, then RGB rows from the top.
inline std::vector<std::uint8_t> Pvtx(std::uint32_t w, std::uint32_t h,
                                      const std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint8_t> bytes = {'P', 'V', 'T', 'X'};
    for (const std::uint32_t v : {w, h})
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    bytes.insert(bytes.end(), rgb.begin(), rgb.end());
    return bytes;
}

}  // namespace spitest
