#include "bench/ReadingArticle.h"

#include <QByteArrayList>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tellaria::bench {

namespace {

// The article's size without its header, menus and footer.
constexpr qsizetype ArticleBytes = 185 * 1024;

const char *const Words[] = {
    "the",        "of",          "and",      "in",        "language",   "word",
    "meaning",    "early",       "century",  "writers",   "was",        "is",
    "from",       "which",       "usage",    "form",      "spelling",   "dictionary",
    "sense",      "common",      "its",      "by",        "as",         "with",
    "for",        "scholars",    "record",   "first",     "later",      "spoken",
    "written",    "source",      "borrowed", "root",      "older",      "modern",
    "regional",   "variant",     "printed",  "texts",     "period",     "court",
    "trade",      "letters",     "sound",    "change",    "vowel",      "stress",
    "plural",     "verb",        "noun",     "phrase",    "idiom",      "example",
    "poets",      "translators", "glossary", "entries",   "editors",    "evidence",
    "quotation",  "manuscript",  "parish",   "merchants", "travellers", "southern",
    "northern",   "coast",       "river",    "towns",     "households", "craft",
    "figurative", "literal",     "narrower", "broader",   "survives",   "appears",
    "remained",   "became",      "replaced", "compared",  "attested",   "noted",
    "described",  "suggests",    "although", "while",     "however",    "often",
    "rarely",     "still",       "also",     "perhaps",   "mostly",     "a",
    "an",         "to",          "that",
};

const char *const Headings[] = {
    "Etymology",
    "Early records",
    "Spelling and pronunciation",
    "Meaning and senses",
    "Regional usage",
    "In literature",
    "Borrowings into other languages",
    "Related words",
    "Idioms and phrases",
    "Modern usage",
    "Usage notes",
    "Further reading",
};

// A fixed sequence, so that every run serves the same page.
class Sequence
{
public:
    int Next(int bound)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % std::uint64_t(bound));
    }

private:
    std::uint64_t m_state = 0x5eed;
};

QByteArray Sentence(Sequence &sequence)
{
    QByteArray sentence;
    const int length = 10 + sequence.Next(12);
    for (int word = 0; word < length; ++word) {
        QByteArray text = Words[sequence.Next(int(std::size(Words)))];
        if (word == 0)
            text[0] = char(text[0] - 'a' + 'A');
        else
            sentence += ' ';
        // Now and then a link to another entry or a stressed word, as articles have.
        const int dress = sequence.Next(40);
        if (dress == 0)
            text = "<a href=\"/wiki/" + text + "\">" + text + "</a>";
        else if (dress == 1)
            text = "<em>" + text + "</em>";
        sentence += text;
        if (word + 1 < length && sequence.Next(9) == 0)
            sentence += ',';
    }
    return sentence + '.';
}

// The article's paragraphs, each without its term yet.
std::vector<QByteArray> Paragraphs(Sequence &sequence)
{
    std::vector<QByteArray> paragraphs;
    qsizetype size = 0;
    while (size < ArticleBytes) {
        QByteArray paragraph;
        const int sentences = 4 + sequence.Next(5);
        for (int index = 0; index < sentences; ++index)
            paragraph += (index ? " " : "") + Sentence(sequence);
        size += paragraph.size() + 8;
        paragraphs.push_back(paragraph);
    }
    return paragraphs;
}

QByteArray Links(const char *prefix, int count, Sequence &sequence)
{
    QByteArray links;
    for (int index = 0; index < count; ++index) {
        const QByteArray word = Words[sequence.Next(int(std::size(Words)))];
        links += "<li><a href=\"/" + QByteArray(prefix) + "/" + word + QByteArray::number(index)
                 + "\">" + word + " " + QByteArray::number(index + 1) + "</a></li>";
    }
    return links;
}

} // namespace

QByteArray ReadingArticleHtml(const QString &term, int occurrences)
{
    Sequence sequence;
    const QByteArray word = term.toUtf8();
    const QByteArray colour = QByteArray::number(qlonglong(SideMenuColour), 16);
    QByteArray html
        = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + word
          + " - Lexicon Online</title><style>"
            "body{margin:0;font:15px/1.5 Arial,sans-serif;color:#222;background:#fff}"
            "header{background:#17365d;color:#fff;padding:10px 16px}"
            "header a{color:#fff;margin-right:14px}header li{display:inline}"
            ".layout{display:flex;align-items:stretch}"
            "nav.side{flex:0 0 170px;background:#"
          + colour
          + ";padding:8px 0 8px 12px;font-size:13px}"
            "main{flex:1;padding:0 18px;min-width:0}"
            "aside{flex:0 0 190px;background:#f6f1e4;padding:8px;font-size:13px}"
            "footer{background:#2b2b2b;color:#ccc;padding:16px;font-size:12px}"
            ".cookies{position:fixed;bottom:0;left:0;right:0;background:#333;color:#fff;"
            "padding:8px}</style>"
            "<script>window.dataLayer=window.dataLayer||[];dataLayer.push({page:'entry'});"
            "</script></head><body>";
    html += "<header><div class=\"logo\"><a href=\"/\">Lexicon Online</a></div><nav class=\"top\">"
            "<ul>"
            + Links("topic", 14, sequence)
            + "</ul></nav><form class=\"search\" action=\"/search\"><input name=\"q\" value=\""
            + word
            + "\"><button>Search</button></form><p class=\"crumbs\">Home &rsaquo; Entries "
              "&rsaquo; "
            + word + "</p></header>";
    html += "<div class=\"layout\"><nav class=\"side\"><h3>Browse</h3><ul>"
            + Links("browse", 40, sequence) + "</ul></nav><main><article><h1>" + word + "</h1>"
            + "<p class=\"byline\">By the Lexicon Online editors &middot; Updated 12 March 2024"
              " &middot; 14 min read</p>"
              "<div class=\"share\"><a href=\"/share/mail\">Mail</a> <a href=\"/share/print\">"
              "Print</a> <a href=\"/cite\">Cite</a></div>";
    // The crumbs, the heading, the side column twice and the footer hold one each.
    constexpr int Outside = 5;
    std::vector<QByteArray> paragraphs = Paragraphs(sequence);
    const int inside = std::max(0, occurrences - Outside);
    for (int placed = 0; placed < inside; ++placed) {
        QByteArray &paragraph = paragraphs[std::size_t(placed) * paragraphs.size() / inside];
        const qsizetype space = paragraph.indexOf(' ', sequence.Next(int(paragraph.size() / 2)));
        paragraph.insert(space < 0 ? 0 : space, " " + word);
    }
    for (std::size_t index = 0; index < paragraphs.size(); ++index) {
        if (index % 9 == 0)
            html += "<h2>" + QByteArray(Headings[(index / 9) % std::size(Headings)]) + "</h2>";
        html += "<p>" + paragraphs[index] + "</p>";
        if (index == paragraphs.size() / 3)
            html += "<table class=\"forms\"><tr><th>Form</th><th>Period</th><th>Source</th></tr>"
                    "<tr><td>older</td><td>early</td><td>court letters</td></tr>"
                    "<tr><td>modern</td><td>later</td><td>printed texts</td></tr></table>";
    }
    html += "</article><section class=\"comments\"><h2>Comments</h2>";
    for (int comment = 0; comment < 6; ++comment)
        html += "<div class=\"comment\"><b>reader" + QByteArray::number(comment) + "</b><p>"
                + Sentence(sequence) + "</p><a href=\"/reply\">Reply</a></div>";
    html += "</section></main><aside><h3>Trending</h3><ul>" + Links("trending", 15, sequence)
            + "</ul><div class=\"ad\">Advertisement</div><h3>See also</h3><p>" + word
            + " in other languages; " + word + " in quotations</p></aside></div>";
    html += "<footer><ul>" + Links("about", 12, sequence)
            + "</ul><p>&copy; 2024 Lexicon Online. The entry " + word
            + " may be quoted with its source.</p></footer><div class=\"cookies\">This site uses "
              "cookies. <button>Accept</button></div></body></html>";
    return html;
}

} // namespace tellaria::bench
