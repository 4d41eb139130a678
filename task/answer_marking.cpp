#include "answer_marking.h"

#include "text.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace kvizaro {

namespace {

qsizetype positionOf(const std::vector<qsizetype>& positions, std::size_t byte, qsizetype start) {
    return start + positions[std::min(byte, positions.size() - 1)];
}

bool isBlank(QChar character) {
    return character.isSpace();
}

QString quoted(const QString& text) {
    return hu("„") + text + hu("”");
}

// Where a missing part belongs, in words: after the letters before it in the same word, else before the
// word that follows.
QString placeOf(const QString& caption, qsizetype point) {
    qsizetype begin = point;
    while (begin > 0 && !isBlank(caption[begin - 1])) {
        --begin;
    }
    if (begin < point) {
        return quoted(caption.mid(begin, point - begin)) + hu(" után");
    }
    qsizetype end = point;
    while (end < caption.size() && !isBlank(caption[end])) {
        ++end;
    }
    if (end > point) {
        return quoted(caption.mid(point, end - point)) + hu(" előtt");
    }
    return hu("a végén");
}

} // namespace

CaptionMarks captionMarks(const TextMarks& marks, std::string_view shown, qsizetype start) {
    const std::vector<qsizetype> positions = latin3Positions(shown);
    CaptionMarks placed;
    for (const ByteRange& range : marks.differing) {
        placed.differing.append(
            {positionOf(positions, range.begin, start), positionOf(positions, range.end, start)});
    }
    for (const std::size_t point : marks.missing) {
        placed.missing.append(positionOf(positions, point, start));
    }
    return placed;
}

QString marksDescription(const QString& caption, const CaptionMarks& marks) {
    QStringList sentences;
    QStringList parts;
    for (const CaptionMarks::Range& range : marks.differing) {
        parts.append(quoted(caption.mid(range.begin, range.end - range.begin)));
    }
    if (!parts.isEmpty()) {
        sentences.append(hu("Eltér: ") + parts.join(QStringLiteral(", ")) + QLatin1Char('.'));
    }
    QStringList places;
    for (const qsizetype point : marks.missing) {
        places.append(placeOf(caption, std::clamp<qsizetype>(point, 0, caption.size())));
    }
    if (!places.isEmpty()) {
        sentences.append(hu("Hiányzik valami: ") + places.join(QStringLiteral(", ")) + QLatin1Char('.'));
    }
    return sentences.join(QLatin1Char(' '));
}

} // namespace kvizaro
