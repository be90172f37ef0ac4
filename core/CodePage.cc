#include "core/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <optional>

namespace tellaria {

namespace {

constexpr const char *AnsiCodePage = "GB18030";

// One converter per direction and thread: opening one costs far more than a short conversion,
// and a descriptor must not be shared between threads.
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_descriptor(iconv_open(to, from))
    {}
    ~Converter()
    {
        if (m_descriptor != InvalidDescriptor())
            iconv_close(m_descriptor);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts `input`; every byte the converter refuses is skipped and replaced by
    // `replacement`, so the conversion always finishes. Without a replacement the conversion
    // fails instead, giving nothing.
    std::optional<std::string> Convert(std::string_view input,
                                       std::optional<std::string_view> replacement)
    {
        std::string result;
        if (input.empty())
            return result;
        if (m_descriptor == InvalidDescriptor()) {
            if (!replacement)
                return std::nullopt;
            // No converter at all: keep what is plain ASCII in both encodings.
            for (const char c : input)
                result += static_cast<unsigned char>(c) < 0x80 ? std::string_view(&c, 1)
                                                               : *replacement;
            return result;
        }
        iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);
        result.resize(input.size() * 4 + 16);
        char *in = const_cast<char *>(input.data());
        std::size_t inLeft = input.size();
        std::size_t used = 0;
        while (inLeft > 0) {
            char *out = result.data() + used;
            std::size_t outLeft = result.size() - used;
            const std::size_t converted = iconv(m_descriptor, &in, &inLeft, &out, &outLeft);
            used = result.size() - outLeft;
            if (converted != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG) {
                result.resize(result.size() * 2);
                continue;
            }
            // EILSEQ, or EINVAL for a sequence cut off by the end of the input.
            if (!replacement)
                return std::nullopt;
            if (result.size() - used < replacement->size())
                result.resize(result.size() * 2 + replacement->size());
            result.replace(used, replacement->size(), *replacement);
            used += replacement->size();
            ++in;
            --inLeft;
        }
        // Flush any shift state (none for these encodings, but iconv asks for it).
        for (;;) {
            char *out = result.data() + used;
            std::size_t outLeft = result.size() - used;
            const std::size_t flushed = iconv(m_descriptor, nullptr, nullptr, &out, &outLeft);
            if (flushed != static_cast<std::size_t>(-1)) {
                used = result.size() - outLeft;
                break;
            }
            if (errno != E2BIG)
                break;
            result.resize(result.size() * 2);
        }
        result.resize(used);
        return result;
    }

private:
    // iconv's own way of saying it failed.
    static iconv_t InvalidDescriptor() { return reinterpret_cast<iconv_t>(-1); } // NOLINT

    iconv_t m_descriptor;
};

} // namespace

std::string Utf8(std::string_view ansi)
{
    thread_local Converter converter("UTF-8", AnsiCodePage);
    return *converter.Convert(ansi, "\xEF\xBF\xBD");
}

std::string AnsiFromUtf8(std::string_view utf8)
{
    thread_local Converter converter(AnsiCodePage, "UTF-8");
    return *converter.Convert(utf8, "?");
}

std::optional<std::string> AnsiFromUnicode(std::string_view text, UnicodeEncoding encoding)
{
    thread_local Converter fromUtf8(AnsiCodePage, "UTF-8");
    thread_local Converter fromUtf16LittleEndian(AnsiCodePage, "UTF-16LE");
    thread_local Converter fromUtf16BigEndian(AnsiCodePage, "UTF-16BE");
    switch (encoding) {
    case UnicodeEncoding::Utf8:
        return fromUtf8.Convert(text, std::nullopt);
    case UnicodeEncoding::Utf16LittleEndian:
        return fromUtf16LittleEndian.Convert(text, std::nullopt);
    case UnicodeEncoding::Utf16BigEndian:
        return fromUtf16BigEndian.Convert(text, std::nullopt);
    }
    return std::nullopt;
}

} // namespace tellaria
