// Whole-file reading and writing for tests that run a command on files in a scratch folder.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace kvizaro::test {

// Empty when the file cannot be read, which the caller's comparison then shows.
inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

} // namespace kvizaro::test
