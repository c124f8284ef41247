#pragma once
// The decode cache: the one decoded image of the view, kept while its file
// stays the same. Loading a file whose path, size and modification time are
// those of the image held reuses its pixels; any change decodes afresh.
//
// Linear data: for a FITS or 16-bit picture, linear() is the plane of
// physical values behind the display (display pixel (x, y) is
// linear().at(x, y)); it is empty for 8-bit pictures.

#include "core/result.h"
#include "image/file_stamp.h"
#include "image/gui/decoded_image.h"

#include <cstdint>

namespace ce {

class ImageStore {
public:
    ImageStore();

    // Loads the file unless it is the one held, unchanged. On failure the
    // image held stays and the error is the decoder's sentence, worded in
    // `lang`.
    Status load(const QString& absolutePath, const TextLookup& lang);
    // Whether the last successful load decoded the file (false: reused).
    bool lastLoadDecoded() const { return lastLoadDecoded_; }
    // How many files this store has decoded.
    int decodeCount() const { return decodeCount_; }

    const DecodedImage& current() const { return current_; }
    const LinearPlane& linear() const { return current_.linear; }
    bool hasLinear() const { return !current_.linear.empty(); }

    // The stretch of linear data; nothing happens for an 8-bit picture.
    // Later loads use the preset chosen here.
    void setStretch(StretchPreset preset);
    void setStretchBounds(const StretchBounds& bounds);
    StretchPreset stretchPreset() const { return preset_; }

    // The memory one image may take (bytes); imageMemoryLimitBytes() unless set.
    void setMemoryLimit(std::int64_t bytes) { memoryLimit_ = bytes; }

private:
    DecodedImage current_;
    FileStamp stamp_;
    StretchPreset preset_ = StretchPreset::Auto;
    std::int64_t memoryLimit_;
    int decodeCount_ = 0;
    bool lastLoadDecoded_ = false;
};

}  // namespace ce
