// A command line or list of words written as plain strings in a test table (the project builds without
// implicit QString conversions).
#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace kvizaro::test {

inline QStringList words(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* word : list) {
        result << QString::fromUtf8(word);
    }
    return result;
}

} // namespace kvizaro::test
