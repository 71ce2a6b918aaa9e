#include "audio/win32/mci_show_audio.h"

#include "common/error.h"

namespace lv::audio::win32 {
namespace {

constexpr const char* NotifyWindowClass = "LorvaneMusicNotify";

void RegisterNotifyWindowClass(WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = NotifyWindowClass;
    // Registering again fails harmlessly for every further object of the run.
    ::RegisterClassA(&windowClass);
}

}  // namespace

MciShowAudio::MciShowAudio(MultimediaCalls& calls) : calls_(calls) {
    RegisterNotifyWindowClass(&MciShowAudio::WindowProcedure);
    window_ = ::CreateWindowExA(0, NotifyWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) throw Error("cannot create the window for music notifications");
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MciShowAudio::~MciShowAudio() {
    StopPictureSound();
    CloseDevice();
    ::DestroyWindow(window_);
}

void MciShowAudio::PlayMusic(const std::string& path) {
    CloseDevice();
    trackFinished_ = false;
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = path.c_str();
    if (const MCIERROR error = calls_.SendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT,
                                                  reinterpret_cast<DWORD_PTR>(&open)))
        throw Error("the music cannot be opened: " + calls_.ErrorText(error), path);
    device_ = open.wDeviceID;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    if (const MCIERROR error = calls_.SendCommand(device_, MCI_PLAY, MCI_NOTIFY,
                                                  reinterpret_cast<DWORD_PTR>(&play))) {
        CloseDevice();
        throw Error("the music cannot be played: " + calls_.ErrorText(error), path);
    }
}

void MciShowAudio::StopMusic() {
    CloseDevice();
    trackFinished_ = false;
}

bool MciShowAudio::TakeMusicTrackFinished() {
    const bool finished = trackFinished_;
    trackFinished_ = false;
    return finished;
}

void MciShowAudio::PlayPictureSound(const std::string& path) {
    // A file that is missing or cannot be played leaves silence; the result says nothing more.
    calls_.PlaySoundFile(path.c_str(), PictureSoundFlags);
}

void MciShowAudio::StopPictureSound() { calls_.PlaySoundFile(nullptr, StopSoundFlags); }

void MciShowAudio::CloseDevice() {
    if (device_ == 0) return;
    calls_.SendCommand(device_, MCI_CLOSE, MCI_WAIT, 0);
    device_ = 0;
}

void MciShowAudio::OnNotify(WPARAM result, LPARAM device) {
    // A notification of a device already closed may still be in the queue.
    if (result == MCI_NOTIFY_SUCCESSFUL && device_ != 0 &&
        static_cast<MCIDEVICEID>(device) == device_)
        trackFinished_ = true;
}

LRESULT CALLBACK MciShowAudio::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) noexcept {
    if (message == MM_MCINOTIFY) {
        if (auto* audio =
                reinterpret_cast<MciShowAudio*>(::GetWindowLongPtrA(window, GWLP_USERDATA)))
            audio->OnNotify(wParam, lParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace lv::audio::win32
