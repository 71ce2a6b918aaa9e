#include "project/image_package.h"

#include "project/file_loader.h"

namespace lv {

void TProject::Discard() {
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

void TProject::Load(const std::string& path) {
    Discard();
    try {
        TFileLoader loader;
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

void TProject::LoadHeader(const std::string& path) {
    Discard();
    try {
        TFileLoader loader;
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
