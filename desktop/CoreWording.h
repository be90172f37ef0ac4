#pragma once

// The words for what the core reports as kinds with their values: a file that could not be read
// or written, an encyclopaedia's name or address refused, a stored list read only in part, a
// word list that could not be imported;
// and the lookup modes' names.

#include "core/SiteList.h"
#include "core/SiteTemplate.h"
#include "core/Status.h"
#include "core/WordList.h"

#include <QString>

#include <optional>

namespace tellaria {

// Empty on success.
QString StatusText(const Status &status);
// Empty when Ok.
QString SiteErrorText(const SiteError &error);
// Empty when nothing went wrong.
QString SiteListProblemText(const std::optional<SiteListProblem> &problem);
// Why an import of the file at `path` read nothing; empty when it read.
QString WordsImportText(const WordsImport &read, const QString &path);
// The name of the lookup mode of `index` (LookupModeFromIndex), as --help lists it.
QString LookupModeText(int index);

} // namespace tellaria
