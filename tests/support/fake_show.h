#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/error.h"
#include "saver/show_audio.h"
#include "saver/show_host.h"
#include "support/fake_clock.h"

namespace lv::test {

// A window that records what the show loop asks of it. Pictures are known by path: a plain
// picture decodes to the size given in `PictureSizes` (a missing entry fails to decode), a
// package loads when its path is in `Packages`.
class FakeShowHost final : public ShowHost {
public:
    explicit FakeShowHost(FakeClock& clock) : clock_(clock) {}

    PixelSize Screen{1024, 768};
    std::map<std::string, PixelSize> PictureSizes;
    std::map<std::string, PackageLoadResult> Packages;
    uint32_t CrossFadeStepMilliseconds = 100;

    std::vector<std::string> Calls;
    std::vector<std::string> Decoded;
    std::vector<std::string> LoadedPackages;
    std::vector<int> Alphas;
    std::vector<std::string> Messages;
    PixelSize PlainDrawSize;
    PixelPoint LastPosition;
    FrameSource LastSource = FrameSource::Nothing;
    int Frames = 0;
    int Steps = 0;
    int Restores = 0;

    PixelSize ScreenSize() override { return Screen; }
    void ShowErrorMessage(const std::string& text) override { Messages.push_back(text); }

    PixelSize DecodePlainPicture(const std::string& path) override {
        Calls.push_back("decode " + path);
        const auto found = PictureSizes.find(path);
        if (found == PictureSizes.end()) {
            throw Error("Cannot decode picture", path);
        }
        Decoded.push_back(path);
        return found->second;
    }
    void SetPlainPicture(PixelSize drawSize) override { PlainDrawSize = drawSize; }

    PackageLoadResult LoadPackage(const std::string& path, int, DisplayRule, PixelSize) override {
        Calls.push_back("package " + path);
        const auto found = Packages.find(path);
        if (found == Packages.end()) {
            throw Error("Incorrect Project File!", path);
        }
        LoadedPackages.push_back(path);
        return found->second;
    }

    void BeginCrossFade(FrameSource, PixelPoint) override { Calls.push_back("fade"); }
    void DrawCrossFadeStep(int alpha) override {
        Alphas.push_back(alpha);
        clock_.Advance(CrossFadeStepMilliseconds);
    }
    void EndCrossFade() override {}
    void FillBlack() override { Calls.push_back("black"); }
    void StepGenerator() override { ++Steps; }
    void RestoreGenerator() override { ++Restores; }
    void ReleaseFreedMemory() override { Calls.push_back("release"); }
    void DrawFrame(FrameSource source, PixelPoint position) override {
        ++Frames;
        LastSource = source;
        LastPosition = position;
    }

private:
    FakeClock& clock_;
};

// Audio that records requests. Music files in `UnplayableMusic` fail to play.
class FakeShowAudio final : public ShowAudio {
public:
    std::set<std::string> UnplayableMusic;
    std::vector<std::string> MusicPlayed;
    std::vector<std::string> SoundsPlayed;
    int SoundStops = 0;
    int MusicStops = 0;
    bool TrackFinished = false;

    void PlayMusic(const std::string& path) override {
        if (UnplayableMusic.count(path) != 0) {
            throw Error("Cannot play music", path);
        }
        MusicPlayed.push_back(path);
    }
    void StopMusic() override { ++MusicStops; }
    bool TakeMusicTrackFinished() override {
        const bool finished = TrackFinished;
        TrackFinished = false;
        return finished;
    }
    void PlayPictureSound(const std::string& path) override { SoundsPlayed.push_back(path); }
    void StopPictureSound() override { ++SoundStops; }
};

}  // namespace lv::test
