#include "audio/sdl_show_audio.h"

namespace lv::audio {

SdlShowAudio::SdlShowAudio(const AudioDeviceOptions& options)
    : device_(options), music_(device_), sound_(device_) {}

}  // namespace lv::audio
