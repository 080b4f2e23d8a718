// The running instance's reading of a handed-over message, fed arbitrary bytes: it allocates
// nothing a count promises before the bytes are there, takes only absolute names of a path's
// length at most, without a NUL, and what it takes encodes back to a message that reads the same.
#include "platform/HandOverMessage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList files;
    QByteArray token;
    if (!HandOverMessage::decode(bytes, files, token))
        return 0;
    for (const QString &file : files)
        if (!file.startsWith(u'/') || file.contains(QChar(0)) || file.size() > 4096)
            std::abort();
    QStringList again;
    QByteArray tokenAgain;
    if (!HandOverMessage::decode(HandOverMessage::encode(files, token), again, tokenAgain) || again != files || tokenAgain != token)
        std::abort();
    return 0;
}
