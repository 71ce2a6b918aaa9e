#include "audio/win32/multimedia_calls.h"

namespace lv::audio::win32 {

MCIERROR SystemMultimediaCalls::SendCommand(MCIDEVICEID device, UINT command, DWORD_PTR flags,
                                            DWORD_PTR parameters) {
    return ::mciSendCommandA(device, command, flags, parameters);
}

BOOL SystemMultimediaCalls::PlaySoundFile(const char* path, UINT flags) {
    return ::sndPlaySoundA(path, flags);
}

std::string SystemMultimediaCalls::ErrorText(MCIERROR error) {
    char text[256] = {};
    if (!::mciGetErrorStringA(error, text, sizeof text)) return "MCI error " + std::to_string(error);
    return text;
}

}  // namespace lv::audio::win32
