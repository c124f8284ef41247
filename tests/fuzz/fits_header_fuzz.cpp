// A FITS file of any bytes, read through CFITSIO as the image button reads
// it: the reading never crashes (a file it cannot read fails with a
// sentence), and the header cards of a file it reads give hints whose
// numbers are finite and in range.

#include "image/fits_reader.h"
#include "tests/core/key_echo.h"
#include "tests/fuzz/fuzz_hints.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace ce;
using ce::fuzz::require;

namespace {

// One file per fuzzing process, written again for every input and removed
// when the process ends.
struct ScratchFile {
    QString path = QDir::temp().filePath(
        QStringLiteral("ce-fits-header-fuzz-%1.fits").arg(QCoreApplication::applicationPid()));
    ~ScratchFile() { QFile::remove(path); }
};

const QString& filePath()
{
    static const ScratchFile file;
    return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        QFile file(filePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fuzz::broken("the temporary file opens", filePath());
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    // 16 MiB: a plane as large as the fuzzer's inputs can describe without
    // spending the run on allocating it.
    const Result<FitsImage> image = readFitsImage(filePath(), 16 << 20, ce::test::KeyEcho());
    if (!image) {
        require(!image.error().isEmpty(), "a failure says why");
        return 0;
    }
    require(image->plane.width > 0 && image->plane.height > 0, "an image read has pixels");
    for (const HeaderCard& card : image->header)
        require(card.keyword == card.keyword.trimmed(), "a keyword without blanks", card.keyword);
    fuzz::checkHints(image->header, std::nullopt);
    fuzz::checkHints(image->header, 10.0);
    return 0;
}
