// The marking of the answer panels after a wrong answer, as the panels show it: the marks of an answer,
// counted in bytes of the shown text, placed on the characters of the panel's caption, and the same marking
// told in words for screen readers.
#pragma once

#include "answer_feedback.h"
#include "panel.h"

#include <QString>

#include <string_view>

namespace kvizaro {

// `shown` is the text the marks count their bytes in (XToLatin3 of the stored or typed answer); the caption
// shows it from position `start` on, behind whatever the panel puts first.
CaptionMarks captionMarks(const TextMarks& marks, std::string_view shown, qsizetype start);

// Hungarian, for the accessible description: the marked parts quoted, and each missing part placed after
// the word (or the start of the word) before it, else before the word after it. Empty without marks.
QString marksDescription(const QString& caption, const CaptionMarks& marks);

} // namespace kvizaro
