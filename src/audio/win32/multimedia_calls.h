#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>

namespace lv::audio::win32 {

// The two winmm entry points the show's sound uses, behind an interface so tests can record
// what would be played instead of needing a sound device.
class MultimediaCalls {
public:
    virtual ~MultimediaCalls() = default;

    // mciSendCommandA: one MCI command to a device (0 for MCI_OPEN).
    virtual MCIERROR SendCommand(MCIDEVICEID device, UINT command, DWORD_PTR flags,
                                 DWORD_PTR parameters) = 0;
    // sndPlaySoundA: plays a sound file, or stops the playing one for a null path.
    virtual BOOL PlaySoundFile(const char* path, UINT flags) = 0;
    // mciGetErrorStringA: what an MCI error means, for the message that names the file.
    virtual std::string ErrorText(MCIERROR error) = 0;
};

// The calls as winmm makes them.
class SystemMultimediaCalls final : public MultimediaCalls {
public:
    MCIERROR SendCommand(MCIDEVICEID device, UINT command, DWORD_PTR flags,
                         DWORD_PTR parameters) override;
    BOOL PlaySoundFile(const char* path, UINT flags) override;
    std::string ErrorText(MCIERROR error) override;
};

}  // namespace lv::audio::win32
