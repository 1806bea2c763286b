// Fuzzes the game file reader: any bytes either are refused or give a game that the
// writer accepts, and writing it, reading that back and writing again gives the same
// bytes. A crash, a sanitizer report or an abort here is a fault.

#include "gamefile/format.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace gamefile;
    const Parsed first = parse(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!first.game)
        return 0;
    const auto bytes = write(*first.game);
    if (!bytes)
        std::abort(); // read but not writable
    const Parsed again = parse(*bytes);
    if (!again.game)
        std::abort(); // our own file refused
    const auto bytes2 = write(*again.game);
    if (!bytes2 || *bytes2 != *bytes)
        std::abort(); // the bytes drift from one save to the next
    return 0;
}
