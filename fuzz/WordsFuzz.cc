// A word list imported from anyone: whatever bytes it holds read without harm; what reads is a
// list of kept terms with valid notes, which writes and reads back to itself; merging it into
// itself adds and changes nothing.

#include "FuzzSupport.h"
#include "core/TermText.h"
#include "core/WordList.h"

#include <cstdint>

using namespace tellaria;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const WordsImport read = ReadWordsTsv(bytes);
    if (read.Fault != WordsFault::None) {
        FUZZ_CHECK(read.Entries.empty());
        return 0;
    }
    for (const WordEntry &entry : read.Entries) {
        FUZZ_CHECK(!entry.Term.empty() && KeptTerm(entry.Term) == entry.Term);
        FUZZ_CHECK(IsValidUtf8(entry.Note));
        FUZZ_CHECK(entry.Count >= 0 && entry.First >= 0 && entry.Last >= 0);
        FUZZ_CHECK(entry.Last == 0 || entry.First <= entry.Last);
        FUZZ_CHECK(entry.Mode >= -1 && entry.Mode < 100);
    }

    const WordsImport again = ReadWordsTsv(WriteWordsTsv(read.Entries));
    FUZZ_CHECK(again.Fault == WordsFault::None);
    FUZZ_CHECK(again.Entries == read.Entries && again.Skipped == 0);

    std::vector<WordEntry> merged;
    MergeWords(merged, read.Entries);
    const std::vector<WordEntry> once = merged;
    FUZZ_CHECK(MergeWords(merged, read.Entries) == 0);
    FUZZ_CHECK(merged == once);
    (void)WriteWordsCsv(merged);
    return 0;
}
