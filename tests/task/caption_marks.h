// Caption marks written compactly in the task tests' tables: differing ranges as begin/end pairs, then the
// points where something is missing.
#pragma once

#include "panel.h"

#include <QList>

namespace kvizaro::test {

inline CaptionMarks captionMarksOf(const QList<int>& differing, const QList<int>& missing) {
    CaptionMarks marks;
    for (qsizetype i = 0; i + 1 < differing.size(); i += 2) {
        marks.differing.append({differing[i], differing[i + 1]});
    }
    for (const int point : missing) {
        marks.missing.append(point);
    }
    return marks;
}

} // namespace kvizaro::test
