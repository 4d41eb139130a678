// Small bridges between QtTest's data tables (QByteArray) and the content library (std::string).
#pragma once

#include <QByteArray>
#include <QMetaType>

#include <string>
#include <string_view>

namespace kvizaro::test {

inline std::string bytes(const QByteArray& data) {
    return std::string(data.constData(), std::size_t(data.size()));
}
inline QByteArray qbytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace kvizaro::test
