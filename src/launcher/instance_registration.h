#pragma once

#include <functional>
#include <string>

namespace lv {

// One running instance's place in the working folder it shares with every other instance of a
// saver of the same base name: one show per monitor, a preview beside a show, a configuration
// window. Each instance holds a shared lock (flock) on InstancesLockName in the folder from before
// it unpacks until it ends. The lock belongs to the open file, so it goes with the process however
// that ends: a crashed or killed instance never keeps the others from cleaning up.
//
// An instance that ends gives up its shared lock and asks for the exclusive one without waiting.
// Only the last instance gets it, and only that one removes the files, the lock file and the
// folder, holding the lock until they are gone. An instance that starts meanwhile waits for the
// lock, finds the file it locked no longer in place and registers again in a new folder.
class InstanceRegistration {
public:
    // Creates the working folder of the program at `ownPath` when needed and registers. Raises
    // lv::Error naming the folder or the lock file when that cannot be done.
    explicit InstanceRegistration(const std::string& ownPath);
    ~InstanceRegistration();
    InstanceRegistration(InstanceRegistration&& other) noexcept;
    InstanceRegistration& operator=(InstanceRegistration&& other) noexcept;
    InstanceRegistration(const InstanceRegistration&) = delete;
    InstanceRegistration& operator=(const InstanceRegistration&) = delete;

    // The working folder, ending in "/".
    const std::string& Folder() const { return folder_; }
    bool Registered() const { return fd_ >= 0; }

    // Ends the registration. When no other instance is registered, `removeFiles` runs while this
    // instance still holds the folder alone, then the lock file and the folder (when nothing
    // else is left in it) are removed. Returns whether this was the last instance. Failures of
    // the removal are ignored, as the files are only left over then.
    bool Unregister(const std::function<void(const std::string& folder)>& removeFiles);

private:
    void Close();

    std::string folder_;
    int fd_ = -1;
};

}  // namespace lv
