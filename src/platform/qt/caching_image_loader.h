// The picture loader with the decoded-pixel cache in front of it: a PNG whose entry matches the
// file on disk is read straight into a surface's pixels, anything else is decoded as usual, and
// a decoded PNG leaves an entry for the next start. The day's picture is kept as it is shown
// (its part stretched to the page's size), so the day's later starts neither decode nor stretch
// it. The cache never changes what a load returns, only how long it takes; a cache that cannot
// be read or written is as good as none.
#pragma once

#include <string>

#include "platform/qt/qt_image_loader.h"

namespace tv {

class CachingImageLoader : public ImageLoader {
public:
    // `folder` holds the entries and is made on the first write; empty turns the cache off.
    explicit CachingImageLoader(std::string folder) : folder_(std::move(folder)) {}

    // Only the header is read either way: the decoder answers.
    ImageLoadResult probe(const std::string& path, ImageInfo& info) const override {
        return decoder_.probe(path, info);
    }
    std::unique_ptr<Surface> load(const std::string& path, ImageLoadResult& result) const override;
    bool drawShown(const std::string& path, const ShownPart& part, Surface& into, int x,
                   int y) const override;
    void keepShown(const std::string& path, const ShownPart& part, const Surface& from, int x,
                   int y) const override;

    const std::string& folder() const { return folder_; }

private:
    QtImageLoader decoder_;
    std::string folder_;
};

}  // namespace tv
