// Word lists as spreadsheets write them: CSV (RFC 4180 quoting) or TSV, UTF-8 with or without a byte-order
// mark, a header row naming the columns "sheet", "question", "answer" and "accepted" (repeatable), or in
// Hungarian "lap", "kérdés", "válasz" and "elfogadott", in any order and case; an optional "block" column
// keeps sheets of the same name apart.
#pragma once

#include "word_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvizaro {

enum class CsvKind { Csv, Tsv };

// CSV is separated by ",", or by ";" when the header holds no "," (as Hungarian spreadsheets write it);
// TSV by tabs. Rows go into sheets in the order the sheets first appear; an empty sheet cell continues the
// sheet of the row above; rows with every cell empty are skipped.
WordListReading readCsvWordList(std::string_view bytes, CsvKind kind);

// UTF-8 with a byte-order mark, comma-separated, CR LF line ends, one row per question; the "block" column
// only where two sheets share a name.
std::string writeCsvWordList(const std::vector<WordSheet>& sheets);

} // namespace kvizaro
