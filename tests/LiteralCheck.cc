// Fails when a string or character literal of the product's sources holds a non-ASCII character:
// the program's texts are written in English in the sources and reach the user through the
// catalogues (translations/), so a literal in another script is a text that escapes them.
// Comments may hold any character. Arguments: the source root, then the rooms to check.
//
// The files allowed one, and why:
//   core/LookupCatalogue.cc: the shipped encyclopaedias' names, which are stored in the user's
//   settings file as the names of his list, and the lookup modes' labels the query panel shows
//   (ui/ reads them; they move into the catalogues with ui/'s texts).

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

const std::set<std::string> Allowed = {"core/LookupCatalogue.cc"};

// Reports each line of `text` with a non-ASCII byte inside a literal; the count found.
int Check(const std::string &name, const std::string &text)
{
    enum { Code, LineComment, BlockComment, Literal, RawLiteral } state = Code;
    char quote = 0;
    std::string rawEnd;
    int line = 1, found = 0, reportedLine = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\n')
            ++line;
        switch (state) {
        case Code:
            if (text.compare(at, 2, "//") == 0)
                state = LineComment;
            else if (text.compare(at, 2, "/*") == 0)
                state = BlockComment, ++at;
            else if (c == 'R' && at + 1 < text.size() && text[at + 1] == '"'
                     && (at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]))
                         || text[at - 1] == '8' || text[at - 1] == 'u' || text[at - 1] == 'U'
                         || text[at - 1] == 'L')) {
                const std::size_t open = text.find('(', at + 2);
                rawEnd = ")" + text.substr(at + 2, open - at - 2) + "\"";
                state = RawLiteral;
                at = open;
            } else if (c == '"' || c == '\'') {
                state = Literal;
                quote = c;
            }
            break;
        case LineComment:
            if (c == '\n')
                state = Code;
            break;
        case BlockComment:
            if (text.compare(at, 2, "*/") == 0)
                state = Code, ++at;
            break;
        case Literal:
        case RawLiteral:
            if (state == Literal && c == '\\') {
                ++at;
                break;
            }
            if ((state == Literal && (c == quote || c == '\n'))
                || (state == RawLiteral && text.compare(at, rawEnd.size(), rawEnd) == 0)) {
                if (state == RawLiteral)
                    at += rawEnd.size() - 1;
                state = Code;
                break;
            }
            if (static_cast<unsigned char>(c) >= 0x80 && reportedLine != line) {
                std::printf("%s:%d: a literal holds a non-ASCII text; write it in English "
                            "through tr() and translate it in translations/\n",
                            name.c_str(), line);
                reportedLine = line;
                ++found;
            }
            break;
        }
    }
    return found;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR ROOM...\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    int found = 0, files = 0;
    for (int room = 2; room < argc; ++room) {
        for (const auto &entry : fs::recursive_directory_iterator(root / argv[room])) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cc" && extension != ".h"))
                continue;
            const std::string name = entry.path().lexically_relative(root).generic_string();
            if (Allowed.contains(name))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), {}};
            found += Check(name, text);
            ++files;
        }
    }
    std::printf("%d files, %d literals outside the catalogues\n", files, found);
    return files > 0 && found == 0 ? 0 : 1;
}
