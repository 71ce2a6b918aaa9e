#include "project/image_package.h"

#include "project/image_package_reader.h"

namespace lv {

void ImagePackage::Discard() {
    Loaded = false;
    FileName.clear();
    // Sized to nothing rather than freed: the next package of the show is usually as large,
    // and decoding into memory already in use saves faulting in fresh pages every time.
    Picture.SetSize(0, 0);
    Thumbnail.SetSize(0, 0);
    Mask.SetSize(0, 0);
    Waves = {};
    Weather = {};
    PictureName.clear();
    Comment.clear();
    SoundFile.clear();
}

void ImagePackage::Load(const std::string& path) {
    Discard();
    try {
        ImagePackageReader loader;
        loader.Load(path);
        loader.GetMask(Mask);
        loader.GetPicture(Picture);
        loader.GetThumbnail(Thumbnail);
        loader.GetWaveParams(Waves);
        loader.GetWeatherParam(Weather);
        FileName = path;
        PictureName = loader.PictureName();
        Comment = loader.Comment();
        SoundFile = loader.SoundFile();
        Loaded = true;
    } catch (...) {
        // A half-decoded package must not look usable to the show.
        Discard();
        throw;
    }
}

void ImagePackage::LoadHeader(const std::string& path) {
    Discard();
    try {
        ImagePackageReader loader;
        loader.LoadHeader(path);
        loader.GetThumbnail(Thumbnail);
        FileName = path;
        PictureName = loader.PictureName();
        Comment = loader.Comment();
    } catch (...) {
        Discard();
        throw;
    }
}

}  // namespace lv
