// Word lists of KDE's vocabulary trainers: KVTML 2.0, read with expat.
#pragma once

#include "word_list.h"

#include <cstddef>
#include <string_view>

namespace kvizaro {

struct KvtmlSides {
    std::size_t ask = 0;    // the identifier whose texts are the questions
    std::size_t answer = 1; // the identifier whose texts are the answers
};

// One sheet per lesson container that names entries, in document order, named by its path
// ("Lesson / Part" for a container inside another); entries in no lesson form a last sheet. An entry
// missing a text on either side is a warning and left out. An answer text is split at ";" and "|" into
// the model answer (the first) and further accepted answers.
WordListReading readKvtmlWordList(std::string_view bytes, KvtmlSides sides);

} // namespace kvizaro
