#pragma once

// The notebook and the record as files the user picks in the desktop's file dialog: exported as
// tab-separated text a flash-card program imports, or as CSV; imported back from the former.

#include "core/WordList.h"

#include <QString>

#include <vector>

class QWidget;

namespace tellaria {

class WordStore;

// Asks where, then writes `entries`: CSV for a name ending in ".csv" or the CSV filter, tab-
// separated text otherwise. Reports a failure; the file is replaced whole or not at all.
void ExportWordsToFile(QWidget *parent,
                       const QString &title,
                       const QString &suggestedName,
                       const std::vector<WordEntry> &entries);
// Asks which file, then merges its words into the notebook of `store` and says how many were
// new and how many lines did not read. False when nothing changed.
bool ImportWordsFromFile(QWidget *parent, WordStore &store);

// The mode's name as the mode selector shows it; empty for none.
QString ModeName(int mode);
// "2026-12-09 14:30" in local time; empty for 0.
QString LocalTimeText(std::int64_t seconds);

} // namespace tellaria
