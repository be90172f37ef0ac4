// The command line, as a launcher, a script or a shortcut gives it: any arguments parse without
// harm; a refusal, and only a refusal, says why; the request asks for a mode the window has, never
// a term with the selection, carries nothing the command line cannot give, and reaches a running
// copy unchanged through the hand-over.
//
// Input layout: the arguments after the program's name, each ended by a NUL byte (the last one
// may be unterminated).

#include "FuzzSupport.h"
#include "core/LookupCatalogue.h"
#include "desktop/CommandLine.h"

#include <cstdint>
#include <string_view>

using namespace tellaria;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    QStringList arguments{QStringLiteral("tellaria")};
    while (!input.empty()) {
        const std::size_t end = input.find('\0');
        const std::string_view argument = input.substr(0, end);
        // Decoded as the program decodes its own.
        arguments << QString::fromLocal8Bit(argument.data(), qsizetype(argument.size()));
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }

    const TCommandLine commandLine = ParseCommandLine(arguments);
    FUZZ_CHECK((commandLine.Action == TCommandLine::TAction::Refuse)
               == !commandLine.Error.isEmpty());
    const TLookupRequest &request = commandLine.Request;
    FUZZ_CHECK(request.Mode >= -1 && request.Mode < LookupModeCount);
    FUZZ_CHECK(!(request.Term && commandLine.LookUpSelection));
    FUZZ_CHECK(!request.SelectionTooLong && request.StartupId.isEmpty()
               && request.ActivationToken.isEmpty());
    if (commandLine.Action == TCommandLine::TAction::Run)
        FUZZ_CHECK(DecodeLookupRequest(EncodeLookupRequest(request)) == request);
    return 0;
}
