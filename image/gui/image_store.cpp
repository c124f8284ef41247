#include "image/gui/image_store.h"

#include "image/memory_limit.h"

namespace ce {

ImageStore::ImageStore() : memoryLimit_(imageMemoryLimitBytes()) {}

Status ImageStore::load(const QString& absolutePath, const TextLookup& lang)
{
    const FileStamp stamp = stampOf(absolutePath);
    if (stamp.valid() && stamp == stamp_ && !current_.isNull()) {
        lastLoadDecoded_ = false;
        return succeeded();
    }
    Result<DecodedImage> decoded = decodeImageFile(absolutePath, preset_, memoryLimit_, lang);
    if (!decoded)
        return Status::failure(decoded.error());
    current_ = std::move(decoded.value());
    stamp_ = stamp;
    ++decodeCount_;
    lastLoadDecoded_ = true;
    return succeeded();
}

void ImageStore::setStretch(StretchPreset preset)
{
    preset_ = preset;
    if (hasLinear())
        setStretchBounds(presetBounds(current_.linear, preset));
}

void ImageStore::setStretchBounds(const StretchBounds& bounds)
{
    if (!hasLinear())
        return;
    current_.bounds = bounds;
    current_.display = QImage();
    current_.display = renderStretched(current_.linear, bounds);
}

}  // namespace ce
