// The user an installation is for: the one whose desktop shell is running. Started normally
// the installer has that user's own rights and nothing here changes what it does. Started
// elevated ("Run as administrator", perhaps with another account's password), its own profile
// and token may be an administrator's: the shell's token then names the user's folders, and the
// launcher is started through the shell, so that neither it nor what it opens runs elevated.
#pragma once

#include "framework/handles_win.h"

#include <string>

class DesktopUser {
public:
    DesktopUser();

    bool elevated() const { return elevated_; }

    // For the shell's folder functions: the shell's token when elevated, else null (the
    // running user).
    HANDLE folderToken() const { return shellToken_.get(); }

    // Starts a program with the default verb in its folder, as the user: an elevated installer
    // asks the desktop's shell to start it. False when it could not be started that way; an
    // elevated installer then starts nothing rather than an elevated launcher.
    bool start(const std::string& program, const std::string& folder) const;

private:
    bool elevated_ = false;
    KernelHandle shellToken_;
};
